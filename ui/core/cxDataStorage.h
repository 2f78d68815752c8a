#pragma once
// Value types: storage policies for one data type in a table of raw record buffers. A value
// type says how many bytes a value takes in a record (a cell), how a value goes into and out of
// a cell as a variant, how two cells compare, how a cell is freed and how it is written to and
// read from a stream. Value types have only class-level operations: each class has one shared
// instance, reached through its TcxValueTypeClass, and is never created otherwise.
//
// Cells of strings, wide strings, variants, objects and byte strings hold a pointer and are
// pointer-sized. Cells are accessed byte-wise, so records need no particular alignment.
#include <cstdint>
#include <vector>

#include "platform/base/object.h"
#include "platform/base/types.h"
#include "platform/base/variant.h"
#include "platform/classes/streams.h"

namespace qd {

// The stream that store serialisation uses: IsUnicode selects UTF-16 texts (set) or byte
// strings in the system's ANSI code page (clear). It reads and writes through another stream.
class TdxStream : public TStream {
  QD_CLASS(TdxStream, TStream)

 public:
  explicit TdxStream(TStream& AStream, bool AIsUnicode = true) : FStream(AStream), FIsUnicode(AIsUnicode) {}
  bool IsUnicode() const { return FIsUnicode; }
  void SetIsUnicode(bool AValue) { FIsUnicode = AValue; }
  TStream& Stream() const { return FStream; }

  int64_t Read(void* Buffer, int64_t Count) override { return FStream.Read(Buffer, Count); }
  int64_t Write(const void* Buffer, int64_t Count) override { return FStream.Write(Buffer, Count); }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override { return FStream.Seek(Offset, Origin); }
  int64_t Size() override { return FStream.Size(); }

 private:
  TStream& FStream;
  bool FIsUnicode;
};

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

class TcxValueType : public TObject {
  QD_CLASS(TcxValueType, TObject)

 public:
  static TcxValueTypeClass Class();

  // Two cells (pointers into records).
  virtual int32_t Compare(void* P1, void* P2) const;
  // Releases what the cell owns (nothing for fixed-width types).
  virtual void FreeBuffer(void* ABuffer) const {}
  // ABuffer points to a text cell: a pointer-sized slot holding nullptr or a separately
  // allocated display text.
  virtual void FreeTextBuffer(void* ABuffer) const;
  virtual int32_t GetDataSize() const { return 0; }
  virtual Variant GetDataValue(void* ABuffer) const;
  // The value as text; empty when it has none.
  virtual String GetDefaultDisplayText(void* ABuffer) const;
  virtual String GetDisplayText(void* ABuffer) const;
  virtual void ReadDataValue(void* ABuffer, TdxStream& AStream) const;
  virtual void ReadDisplayText(void* ABuffer, TdxStream& AStream) const;
  // Raises the platform's variant conversion error for a value it cannot store; the cell then
  // keeps its content.
  virtual void SetDataValue(void* ABuffer, const Variant& AValue) const {}
  virtual void SetDisplayText(void* ABuffer, const String& AText) const;
  virtual void WriteDataValue(void* ABuffer, TdxStream& AStream) const;
  virtual void WriteDisplayText(void* ABuffer, TdxStream& AStream) const;

  // The class name without "Tcx" and its first "ValueType": "Float", "SQLTimeStamp".
  String Caption() const;
  // Two values as PrepareValueBuffer leaves them.
  virtual int32_t CompareValues(void* P1, void* P2) const;
  virtual Variant GetValue(void* ABuffer) const { return GetDataValue(ABuffer); }
  virtual TVarType GetVarType() const { return varVariant; }
  // True for Null and for any value of a variant-typed class; otherwise converts AValue in place
  // to GetVarType and tells whether that worked.
  bool IsValueValid(Variant& AValue) const;
  virtual bool IsString() const { return false; }
  // Pointer cells: replaces the cell pointer by the pointer stored in the cell.
  virtual void PrepareValueBuffer(void*& ABuffer) const {}

 protected:
  TcxValueType() = default;
};

// Shared behaviour of the types whose cell holds a pointer to a separately allocated value.
class TcxPointerCellValueType : public TcxValueType {
  QD_CLASS(TcxPointerCellValueType, TcxValueType)

 public:
  int32_t Compare(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return static_cast<int32_t>(sizeof(void*)); }
  Variant GetValue(void* ABuffer) const override { return GetDataValue(&ABuffer); }
  void PrepareValueBuffer(void*& ABuffer) const override;
  // nullptr before everything, two nullptrs equal; otherwise ComparePointed.
  int32_t CompareValues(void* P1, void* P2) const final;

 protected:
  virtual int32_t ComparePointed(void* P1, void* P2) const = 0;
};

#define QD_VALUE_TYPE(Cls, Parent) \
  QD_CLASS(Cls, Parent)            \
                                   \
 public:                           \
  static TcxValueTypeClass Class();

class TcxStringValueType : public TcxPointerCellValueType {
  QD_VALUE_TYPE(TcxStringValueType, TcxPointerCellValueType)

 public:
  void FreeBuffer(void* ABuffer) const override;
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varUString; }
  bool IsString() const override { return true; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;

 protected:
  int32_t ComparePointed(void* P1, void* P2) const override;
};

// The cell points to a block: a 32-bit count of UTF-16 units, then the units.
class TcxWideStringValueType : public TcxStringValueType {
  QD_VALUE_TYPE(TcxWideStringValueType, TcxStringValueType)

 public:
  void FreeBuffer(void* ABuffer) const override;
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varOleStr; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;

 protected:
  int32_t ComparePointed(void* P1, void* P2) const override;
};

class TcxSmallintValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxSmallintValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 2; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varSmallint; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxIntegerValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxIntegerValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 4; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varInteger; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxWordValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxWordValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 2; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varWord; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxBooleanValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxBooleanValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 1; }
  Variant GetDataValue(void* ABuffer) const override;
  String GetDefaultDisplayText(void* ABuffer) const override;
  TVarType GetVarType() const override { return varBoolean; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxSingleValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxSingleValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 4; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varSingle; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxFloatValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxFloatValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 8; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varDouble; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxCurrencyValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxCurrencyValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 8; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varCurrency; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxDateTimeValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxDateTimeValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 8; }
  Variant GetDataValue(void* ABuffer) const override;
  TDateTime GetDateTime(void* ABuffer) const;
  String GetDefaultDisplayText(void* ABuffer) const override;
  TVarType GetVarType() const override { return varDate; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

class TcxLargeIntValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxLargeIntValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 8; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varInt64; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;
};

// The cell holds the platform's 34-byte BCD record; streamed in the tagged variant form.
class TcxFMTBcdValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxFMTBcdValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 34; }
  Variant GetDataValue(void* ABuffer) const override;
  String GetDefaultDisplayText(void* ABuffer) const override;
  TVarType GetVarType() const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
};

// The cell holds the platform's 16-byte SQL time stamp; its value is given out as a date.
class TcxSQLTimeStampValueType : public TcxValueType {
  QD_VALUE_TYPE(TcxSQLTimeStampValueType, TcxValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  int32_t GetDataSize() const override { return 16; }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
};

class TcxVariantValueType : public TcxPointerCellValueType {
  QD_VALUE_TYPE(TcxVariantValueType, TcxPointerCellValueType)

 public:
  void FreeBuffer(void* ABuffer) const override;
  Variant GetDataValue(void* ABuffer) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;

 protected:
  int32_t ComparePointed(void* P1, void* P2) const override;
};

// The cell holds an object reference (pointer-sized); its value is the address as a 64-bit
// integer. FreeBuffer frees the object. Nothing is read or written.
class TcxObjectValueType : public TcxIntegerValueType {
  QD_VALUE_TYPE(TcxObjectValueType, TcxIntegerValueType)

 public:
  int32_t CompareValues(void* P1, void* P2) const override;
  void FreeBuffer(void* ABuffer) const override;
  int32_t GetDataSize() const override { return static_cast<int32_t>(sizeof(void*)); }
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varInt64; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override {}
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override {}
};

class TcxBLOBValueType : public TcxPointerCellValueType {
  QD_VALUE_TYPE(TcxBLOBValueType, TcxPointerCellValueType)

 public:
  void FreeBuffer(void* ABuffer) const override;
  AnsiString GetAnsiString(void* ABuffer) const;
  Variant GetDataValue(void* ABuffer) const override;
  TVarType GetVarType() const override { return varString; }
  bool IsString() const override { return true; }
  void ReadDataValue(void* ABuffer, TdxStream& AStream) const override;
  void SetDataValue(void* ABuffer, const Variant& AValue) const override;
  void WriteDataValue(void* ABuffer, TdxStream& AStream) const override;

 protected:
  int32_t ComparePointed(void* P1, void* P2) const override;
};

#undef QD_VALUE_TYPE

// The registered value types, without duplicates, in order of registration.
class TcxValueTypeClassList {
 public:
  void RegisterItem(TcxValueTypeClass AClass);
  void UnregisterItem(TcxValueTypeClass AClass);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TcxValueTypeClass Items(int32_t AIndex) const;
  // The first class whose caption equals ACaption exactly, or nullptr.
  TcxValueTypeClass ItemByCaption(const String& ACaption) const;

 private:
  std::vector<TcxValueTypeClass> FItems;
};

// The process-wide list, created on first use.
TcxValueTypeClassList* cxValueTypeClassList();
// True only for the date-time and SQL time-stamp types themselves.
bool IsDateTimeValueTypeClass(TcxValueTypeClass AClass);

namespace cxDataStorage {
// Registers the sixteen value types; Finalize unregisters them in reverse order and frees the list.
void Initialize();
void Finalize();
}  // namespace cxDataStorage

}  // namespace qd
