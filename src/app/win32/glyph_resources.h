// The resource numbers of the picture buttons' icons (glyphs.rc), for the resource compiler
// and the program alike.
#pragma once

#define KONWERTER_GLYPH_OK 201
#define KONWERTER_GLYPH_CANCEL 202
#define KONWERTER_GLYPH_ADD_ROW 203
#define KONWERTER_GLYPH_DELETE_ROW 204
