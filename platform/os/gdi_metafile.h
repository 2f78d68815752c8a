#pragma once
// Metafiles: enhanced (EMF) and old-style (WMF) pictures as lists of GDI records.
//
// Reading checks every record against the data before anything is played: a record's size
// must stay inside the file, and its counts, offsets and bitmap sizes inside the record; a
// damaged file is refused as a whole. Playback maps the picture's frame onto the target
// rectangle and plays the records onto any DC. Recording: CreateEnhMetaFileW gives a DC that
// keeps every drawing call as a record; CloseEnhMetaFile turns it into a metafile.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/os/gdi.h"

namespace qd {

struct HENHMETAFILE__;
using HENHMETAFILE = HENHMETAFILE__*;
struct HMETAFILE__;
using HMETAFILE = HMETAFILE__*;

struct RECTL {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};
struct SIZEL {
  LONG cx = 0;
  LONG cy = 0;
};

// The first record of an enhanced metafile, as stored.
struct ENHMETAHEADER {
  DWORD iType = 1;
  DWORD nSize = 108;
  RECTL rclBounds;  // device units, inclusive
  RECTL rclFrame;   // 0.01 mm, inclusive
  DWORD dSignature = 0x464D4520;
  DWORD nVersion = 0x10000;
  DWORD nBytes = 0;
  DWORD nRecords = 0;
  WORD nHandles = 1;
  WORD sReserved = 0;
  DWORD nDescription = 0;
  DWORD offDescription = 0;
  DWORD nPalEntries = 0;
  SIZEL szlDevice;
  SIZEL szlMillimeters;
  DWORD cbPixelFormat = 0;
  DWORD offPixelFormat = 0;
  DWORD bOpenGL = 0;
  SIZEL szlMicrometers;
};
static_assert(sizeof(ENHMETAHEADER) == 108);

// Record types of enhanced metafiles.
enum : DWORD {
  EMR_HEADER = 1,
  EMR_POLYBEZIER = 2,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_POLYBEZIERTO = 5,
  EMR_POLYLINETO = 6,
  EMR_POLYPOLYLINE = 7,
  EMR_POLYPOLYGON = 8,
  EMR_SETWINDOWEXTEX = 9,
  EMR_SETWINDOWORGEX = 10,
  EMR_SETVIEWPORTEXTEX = 11,
  EMR_SETVIEWPORTORGEX = 12,
  EMR_SETBRUSHORGEX = 13,
  EMR_EOF = 14,
  EMR_SETPIXELV = 15,
  EMR_SETMAPPERFLAGS = 16,
  EMR_SETMAPMODE = 17,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETROP2 = 20,
  EMR_SETSTRETCHBLTMODE = 21,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25,
  EMR_OFFSETCLIPRGN = 26,
  EMR_MOVETOEX = 27,
  EMR_SETMETARGN = 28,
  EMR_EXCLUDECLIPRECT = 29,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SCALEVIEWPORTEXTEX = 31,
  EMR_SCALEWINDOWEXTEX = 32,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_SETWORLDTRANSFORM = 35,
  EMR_MODIFYWORLDTRANSFORM = 36,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ANGLEARC = 41,
  EMR_ELLIPSE = 42,
  EMR_RECTANGLE = 43,
  EMR_ROUNDRECT = 44,
  EMR_ARC = 45,
  EMR_CHORD = 46,
  EMR_PIE = 47,
  EMR_SELECTPALETTE = 48,
  EMR_LINETO = 54,
  EMR_ARCTO = 55,
  EMR_SETARCDIRECTION = 57,
  EMR_BEGINPATH = 59,
  EMR_ENDPATH = 60,
  EMR_CLOSEFIGURE = 61,
  EMR_FILLPATH = 62,
  EMR_STROKEANDFILLPATH = 63,
  EMR_STROKEPATH = 64,
  EMR_FLATTENPATH = 65,
  EMR_WIDENPATH = 66,
  EMR_SELECTCLIPPATH = 67,
  EMR_ABORTPATH = 68,
  EMR_GDICOMMENT = 70,
  EMR_FILLRGN = 71,
  EMR_FRAMERGN = 72,
  EMR_INVERTRGN = 73,
  EMR_PAINTRGN = 74,
  EMR_EXTSELECTCLIPRGN = 75,
  EMR_BITBLT = 76,
  EMR_STRETCHBLT = 77,
  EMR_MASKBLT = 78,
  EMR_SETDIBITSTODEVICE = 80,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTA = 83,
  EMR_EXTTEXTOUTW = 84,
  EMR_POLYBEZIER16 = 85,
  EMR_POLYGON16 = 86,
  EMR_POLYLINE16 = 87,
  EMR_POLYBEZIERTO16 = 88,
  EMR_POLYLINETO16 = 89,
  EMR_POLYPOLYLINE16 = 90,
  EMR_POLYPOLYGON16 = 91,
  EMR_CREATEDIBPATTERNBRUSHPT = 94,
  EMR_EXTCREATEPEN = 95,
  EMR_SETICMMODE = 98,
  EMR_ALPHABLEND = 114,
  EMR_SETLAYOUT = 115,
  EMR_TRANSPARENTBLT = 116,
};

// Enhanced metafiles.
// Records into a new metafile. `reference` (may be null) is the reference device; `frame`
// (0.01 mm, may be null) is the picture's frame, else the bounds of what is drawn.
// `fileName` must be null (metafiles are kept in memory); `description` may be null.
HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
HENHMETAFILE CloseEnhMetaFile(HDC dc);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
// A copy in memory (`fileName` must be null).
HENHMETAFILE CopyEnhMetaFileW(HENHMETAFILE metafile, LPCWSTR fileName);
// Null when the data is not a sound enhanced metafile.
HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data);
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data);
UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header);
// Draws the picture with its frame mapped onto `rect` (logical coordinates of the DC).
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
// Converts old-style metafile data to an enhanced metafile (the picture keeps its records,
// played through the old-style player); `reference` and `picture` are not used.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference, const void* picture);

// Old-style metafiles: data with or without the 22-byte placeable header.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
UINT GetMetaFileBitsEx(HMETAFILE metafile, UINT size, void* data);
BOOL DeleteMetaFile(HMETAFILE metafile);
// Plays the records with the DC's own mapping, as the original does.
BOOL PlayMetaFile(HDC dc, HMETAFILE metafile);

namespace metafile {

enum class Kind : uint8_t { Emf, Wmf };

// What a header and a full check of the records tell about a metafile.
struct Info {
  Kind kind = Kind::Emf;
  // The picture in pixels at its own resolution, and that resolution.
  int32_t width = 0;
  int32_t height = 0;
  double dpiX = 96;
  double dpiY = 96;
  uint32_t records = 0;
};

enum class Check : uint8_t { Ok, NotMetafile, Damaged };

// Recognises EMF or WMF data (WMF with or without the placeable header).
bool Recognise(std::span<const uint8_t> data, Kind* kind = nullptr);
// Checks the whole file: the header and every record's size, counts and offsets.
Check Examine(std::span<const uint8_t> data, Info& info);
// Plays checked data (Examine answered Ok) into the rectangle of the DC.
bool Play(HDC dc, std::span<const uint8_t> data, const RECT& rect);
// The bytes of a metafile handle (EMF or the WMF it was made from), and its kind.
bool BytesOf(HENHMETAFILE metafile, std::vector<uint8_t>& bytes, Kind* kind = nullptr);

}  // namespace metafile

}  // namespace qd
