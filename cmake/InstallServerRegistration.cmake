# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Lutaris authors
# Run by `cmake --install` (and by cpack): the embedding server's registration in the system's
# data folder, naming the program where this install puts it. The program writes the same two
# files below $XDG_DATA_HOME on every stand-alone start.
set(program "${CMAKE_INSTALL_PREFIX}/${LUTARIS_INSTALL_BINDIR}/lutaris")
set(data "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${LUTARIS_INSTALL_DATADIR}")
set(service "${data}/dbus-1/services/Lutaris.Document.service")
set(object "${data}/insertable-objects/Lutaris.Document.object")
file(WRITE "${service}" "[D-BUS Service]\nName=Lutaris.Document\nExec=${program} -Embedding\n")
file(WRITE "${object}" "[Insertable Object]
ClassId={4E1B7C53-2A96-4F08-B3D5-71C9E0A64F2D}
ProgId=Lutaris.Document
Name=Lutars Document
ShortName=Lutars
BusName=Lutaris.Document
Exec=${program} -Embedding
Verbs=0=&Edit;1=&Open
Insertable=true
")
file(CHMOD "${service}" "${object}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
message(STATUS "Installing: ${service}")
message(STATUS "Installing: ${object}")
