#pragma once
// Small component classes and a stored form using every kind of value, shared by the
// stored-form tests and the stored-form fuzz target.
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/classes.h"
#include "platform/classes/filer.h"
#include "platform/classes/lists.h"
#include "platform/classes/rtti.h"
#include "platform/classes/streams.h"

namespace qd::formtest {

inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}
inline int& Alive() {
  static int alive = 0;
  return alive;
}

enum TWAlign { wal_None, wal_Top, wal_Client };
inline const TTypeInfo* WAlignInfo() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TWAlign", {u"wal_None", u"wal_Top", u"wal_Client"});
  return &t;
}
enum TWFontStyle { wfsBold, wfsItalic, wfsUnderline };
inline const TTypeInfo* WFontStylesInfo() {
  static const TTypeInfo e = MakeEnumTypeInfo(u"TWFontStyle", {u"wfsBold", u"wfsItalic", u"wfsUnderline"});
  static const TTypeInfo t = MakeSetTypeInfo(u"TWFontStyles", &e);
  return &t;
}
inline const TTypeInfo* WColorInfo() {
  static const TTypeInfo t{u"TColor", tkInteger, {}, INT32_MIN, INT32_MAX, nullptr, nullptr};
  return &t;
}

class TTestFont : public TPersistent {
  QD_CLASS_INLINE(TTestFont, TPersistent)
  QD_PUBLISHED(TTestFont)

 public:
  String name;
  int32_t size = 8;
  TSet<TWFontStyle> style;
  void Assign(TPersistent* src) override {
    if (auto* f = dynamic_cast<TTestFont*>(src)) {
      name = f->name;
      size = f->size;
      style = f->style;
      return;
    }
    TPersistent::Assign(src);
  }
};
inline void TTestFont::RegisterProperties(TPropertyRegistrar& r) {
  r.Member("Name", &TTestFont::name);
  r.Member("Size", &TTestFont::size).Default(8);
  r.Member("Style", &TTestFont::style, WFontStylesInfo()).Default(0);
}

class TTestColumn : public TCollectionItem {
  QD_CLASS_INLINE(TTestColumn, TCollectionItem)
  QD_PUBLISHED(TTestColumn)

 public:
  using TCollectionItem::TCollectionItem;
  String caption;
  int32_t width = 0;
};
inline void TTestColumn::RegisterProperties(TPropertyRegistrar& r) {
  r.Member("Caption", &TTestColumn::caption);
  r.Member("Width", &TTestColumn::width).Default(0);
}

class TTestWidget : public TComponent {
  QD_CLASS_INLINE(TTestWidget, TComponent)
  QD_PUBLISHED(TTestWidget)

 public:
  explicit TTestWidget(TComponent* owner)
      : TComponent(owner), columns(new TOwnedCollection(this, TTestColumn::StaticClass())) {
    ++Alive();
  }
  ~TTestWidget() override {
    --Alive();
    delete font;
    delete lines;
    delete columns;
  }
  String caption;
  int32_t width = 0, height = 0, color = 0;
  bool visible = true;
  TWAlign align = wal_None;
  double ratio = 0;
  TTestFont* font = new TTestFont;
  TStringList* lines = new TStringList;
  TOwnedCollection* columns;
  TComponent* link = nullptr;
  TComponent* parent = nullptr;
  TMethod<void(TObject*)> OnClick;
  TBytes data;

  TTestFont* Font() const { return font; }
  void SetFont(TTestFont* f) { font->Assign(f); }
  TStringList* Lines() const { return lines; }
  TOwnedCollection* Columns() const { return columns; }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent; }
  void SetParentComponent(TComponent* p) override { parent = p; }
  void GetChildren(const TGetChildProc& proc, TComponent* root) override {
    for (int i = 0; i < root->ComponentCount(); ++i)
      if (auto* w = dynamic_cast<TTestWidget*>(root->Components(i)); w && w->parent == this) proc(w);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == link) link = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("loaded " + StringToUtf8(Name()) + " link=" + (link ? StringToUtf8(link->Name()) : "-"));
  }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        u"Data", [this](TStream* s) { data = s->ReadBytes(s->Size()); },
        [this](TStream* s) { s->WriteBytes(data); }, !data.empty());
  }
};
inline void TTestWidget::RegisterProperties(TPropertyRegistrar& r) {
  r.Member("Caption", &TTestWidget::caption);
  r.Member("Width", &TTestWidget::width).Default(0);
  r.Member("Height", &TTestWidget::height).Default(0);
  r.Member("Visible", &TTestWidget::visible).Default(true);
  r.Member("Align", &TTestWidget::align, WAlignInfo()).Default(wal_None);
  r.Member("Ratio", &TTestWidget::ratio);
  r.Member("Color", &TTestWidget::color, WColorInfo()).Default(0);
  r.Prop("Font", &TTestWidget::Font, &TTestWidget::SetFont);
  r.Prop("Lines", &TTestWidget::Lines);
  r.Prop("Columns", &TTestWidget::Columns);
  r.Member("Link", &TTestWidget::link);
  r.Event("OnClick", &TTestWidget::OnClick);
}

class TTestNonVisual : public TComponent {
  QD_CLASS_INLINE(TTestNonVisual, TComponent)

 public:
  explicit TTestNonVisual(TComponent* owner) : TComponent(owner) { ++Alive(); }
  ~TTestNonVisual() override { --Alive(); }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("loaded " + StringToUtf8(Name()));
  }
};

class TTestRoot : public TComponent {
  QD_CLASS_INLINE(TTestRoot, TComponent)
  QD_PUBLISHED(TTestRoot)

 public:
  explicit TTestRoot(TComponent* owner) : TComponent(owner) { ++Alive(); }
  ~TTestRoot() override {
    // Owned components go while this object is still whole.
    Destroying();
    DestroyComponents();
    --Alive();
  }
  String caption;
  TTestWidget* Label1 = nullptr;
  int clicks = 0;
  void Button1Click(TObject*) { ++clicks; }
  void GetChildren(const TGetChildProc& proc, TComponent* root) override {
    for (int i = 0; i < ComponentCount(); ++i) {
      TComponent* c = Components(i);
      if (!c->HasParent() || c->GetParentComponent() == this) proc(c);
    }
  }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("loaded " + StringToUtf8(Name()));
  }
};
inline void TTestRoot::RegisterProperties(TPropertyRegistrar& r) {
  r.Member("Caption", &TTestRoot::caption);
  r.Method("Button1Click", &TTestRoot::Button1Click);
  r.Field("Label1", &TTestRoot::Label1);
}

inline void RegisterFormFixtures() {
  for (TClass c : {TTestRoot::StaticClass(), TTestWidget::StaticClass(), TTestNonVisual::StaticClass(),
                   TTestColumn::StaticClass()})
    RegisterClass(c);
  RegisterIntegerConsts(
      WColorInfo(),
      [](const String& s, int64_t& v) {
        if (SameText(s, u"clRed"))
          v = 0xFF;
        else if (SameText(s, u"clBtnFace"))
          v = static_cast<int32_t>(0xFF00000F);
        else
          return false;
        return true;
      },
      [](int64_t v, String& s) {
        if (v == 0xFF)
          s = u"clRed";
        else if (v == static_cast<int32_t>(0xFF00000F))
          s = u"clBtnFace";
        else
          return false;
        return true;
      });
}

// Exactly as the writer prints it.
inline const char16_t* const kValidForm =
    u"object Form1: TTestRoot\r\n"
    u"  Caption = 'Ol'#225' ''mundo'''#13#10'segunda'\r\n"
    u"  object Label1: TTestWidget\r\n"
    u"    Caption = 'Iniciando opera'#231#227'o...'\r\n"
    u"    Width = -12\r\n"
    u"    Height = 127\r\n"
    u"    Visible = False\r\n"
    u"    Align = wal_Client\r\n"
    u"    Ratio = 1.25\r\n"
    u"    Color = clRed\r\n"
    u"    Font.Name = 'Tahoma'\r\n"
    u"    Font.Size = -11\r\n"
    u"    Font.Style = [wfsBold, wfsItalic]\r\n"
    u"    Lines.Strings = (\r\n"
    u"      'first'\r\n"
    u"      'second line')\r\n"
    u"    Columns = <\r\n"
    u"      item\r\n"
    u"        Caption = 'A'\r\n"
    u"        Width = 10\r\n"
    u"      end\r\n"
    u"      item\r\n"
    u"        Caption = 'B'\r\n"
    u"      end>\r\n"
    u"    Data = {\r\n"
    u"      0954504E47496D6167658950}\r\n"
    u"  end\r\n"
    u"  object Panel1: TTestWidget\r\n"
    u"    Link = Label1\r\n"
    u"    object Button1: TTestWidget\r\n"
    u"      Caption = 'OK'\r\n"
    u"      Link = Form1\r\n"
    u"      OnClick = Button1Click\r\n"
    u"    end\r\n"
    u"  end\r\n"
    u"  object Timer1: TTestNonVisual\r\n"
    u"    Left = 100\r\n"
    u"    Top = 20\r\n"
    u"  end\r\n"
    u"end\r\n";

}  // namespace qd::formtest
