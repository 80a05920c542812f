#!/usr/bin/env python3
"""Writes files.nsh for KVX_GMouse.nsi from a staged installation folder:
InstallFiles puts every file in place (the user's own files only when they
are missing), RemoveFactoryFiles removes what the installer put there except
those, then every folder left empty."""
import pathlib
import sys

stage = pathlib.Path(sys.argv[1]).resolve()
out = pathlib.Path(sys.argv[2])


def users_own(rel):
    """The settings and macros the program changes for the user."""
    parts = rel.parts
    return (rel.as_posix() == "skins/config/config.ini"
            or "macro" in parts[:-1]
            or rel.name == "PUBG.dat")


def win(rel):
    return "$INSTDIR" + "".join("\\" + p for p in rel.parts)


files = sorted(p.relative_to(stage) for p in stage.rglob("*") if p.is_file())
folders = sorted({f.parent for f in files if f.parent != pathlib.Path(".")},
                 key=lambda d: (-len(d.parts), d.as_posix()))

lines = ["!macro InstallFiles"]
current = None
for rel in files:
    if rel.parent != current:
        current = rel.parent
        lines.append(f'    SetOutPath "{win(rel.parent) if rel.parent.parts else "$INSTDIR"}"')
    lines.append(f'    SetOverwrite {"off" if users_own(rel) else "on"}')
    lines.append(f'    File "{stage / rel}"')
lines.append("    SetOverwrite on")
lines.append("!macroend")
lines.append("")
lines.append("!macro RemoveFactoryFiles")
lines.append('    Delete "$INSTDIR\\Uninstall.exe"')
for rel in files:
    if not users_own(rel):
        lines.append(f'    Delete "{win(rel)}"')
for d in folders:
    lines.append(f'    RMDir "{win(d)}"')
lines.append('    RMDir "$INSTDIR"')
lines.append("!macroend")
out.write_text("\n".join(lines) + "\n", encoding="utf-8-sig")
