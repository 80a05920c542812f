/* Resource numbers shared by the resource script and the code (plain
   defines, so that windres can read this file too). */
#pragma once

/* Dialog templates: every window is a caption-less popup the skin draws over. */
#define IDD_KVX_GMOUSE_DIALOG 102 /* the main window */
#define IDD_MENU 103              /* skinned popup menu */
#define IDD_SUBMENU 104           /* its sub-menu */
#define IDD_WARNING 105           /* warning dialog */
#define IDD_KEYSET 130            /* key capture */
#define IDD_SHORTCUT 131          /* key-combination capture */
#define IDD_GUN 132               /* game preset dialog */
#define IDD_SOUND 133             /* sound-reactive lighting */
#define IDD_MACSELMENU 164        /* macro choice menu */

/* Icons. */
#define IDR_MAINFRAME 159         /* the application and tray icon */
#define IDI_LIST_FIRST 169        /* list icons 169 to 175 */
#define IDI_LIST_LAST 175
#define IDI_LIST_178 178
#define IDI_LIST_182 182
