/* SPDX-License-Identifier: GPL-3.0-or-later
 * Copyright (C) 2026 The Lutaris authors */
/* Writes a compound file with libgsf, an independent writer for the interoperability tests:
 *   gsf-write-ole OUT SECTOR_SIZE CONTENTS_FILE
 * The root storage gets the document class id and one stream "Contents" with the bytes of
 * CONTENTS_FILE. A sector size of 512 gives a version 3 file, 4096 a version 4 file. */
#include <gsf/gsf.h>
#include <stdio.h>
#include <stdlib.h>

static const guint8 kClassId[16] = {0x53, 0x7C, 0x1B, 0x4E, 0x96, 0x2A, 0x08, 0x4F,
                                    0xB3, 0xD5, 0x71, 0xC9, 0xE0, 0xA6, 0x4F, 0x2D};

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: gsf-write-ole OUT SECTOR_SIZE CONTENTS_FILE\n");
        return 2;
    }
    gsf_init();
    GError* error = NULL;
    gsize length = 0;
    gchar* contents = NULL;
    if (!g_file_get_contents(argv[3], &contents, &length, &error)) {
        fprintf(stderr, "%s\n", error->message);
        return 1;
    }
    GsfOutput* sink = gsf_output_stdio_new(argv[1], &error);
    if (sink == NULL) {
        fprintf(stderr, "%s\n", error->message);
        return 1;
    }
    GsfOutfile* ole = gsf_outfile_msole_new_full(sink, (guint)atoi(argv[2]), 64);
    g_object_unref(sink);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(ole), kClassId);
    GsfOutput* stream = gsf_outfile_new_child(ole, "Contents", FALSE);
    const gboolean written = gsf_output_write(stream, length, (const guint8*)contents) &&
                             gsf_output_close(stream);
    g_object_unref(stream);
    const gboolean closed = gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    g_free(contents);
    gsf_shutdown();
    return written && closed ? 0 : 1;
}
