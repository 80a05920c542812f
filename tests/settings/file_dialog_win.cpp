// The comdlg32 dialogs take their filter as zero-separated strings ending in
// two zeros; the program writes filters in the MFC '|' form.
#include <gtest/gtest.h>

#include "platform/win32/file_dialog_win.h"

using platform::win32::win32FilterString;

TEST(Win32FileDialog, FiltersBecomeZeroSeparatedWithTwoZerosAtTheEnd)
{
    EXPECT_EQ(win32FilterString(u"All Files(*.ini)|*.ini||"), Text(u"All Files(*.ini)\0*.ini\0\0", 24));
    EXPECT_EQ(win32FilterString(u"A|*.a|B|*.b||"), Text(u"A\0*.a\0B\0*.b\0\0", 13));
    // Filters without their closing bars still end the list.
    EXPECT_EQ(win32FilterString(u"A|*.a"), Text(u"A\0*.a\0\0", 7));
    EXPECT_EQ(win32FilterString(u""), Text(u"\0\0", 2));
}
