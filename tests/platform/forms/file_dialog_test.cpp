// TOpenDialog / TSaveDialog and the picture dialogs through the file-dialog hook: cancelled
// without one, the filter as the dialog sees it, default extensions, the folder it starts
// in, and the questions that can refuse an answer.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/imaging.h"
#include "platform/os/comdlg.h"

namespace qd::testing {
namespace {

namespace fs = std::filesystem;

class FileDialogTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("qd_filedlg_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "sub");
    std::ofstream(dir_ / "exists.txt") << "x";
    std::ofstream(dir_ / "picture.png") << "x";
  }
  void TearDown() override {
    os::SetFileDialogHook(nullptr);
    fs::remove_all(dir_);
    FormsTest::TearDown();
  }
  String Dir() const { return Utf8ToString(dir_.string()); }
  String In(const char* name) const { return Utf8ToString((dir_ / name).string()); }

  // Answers each round from a script (Cancel once it runs out) and keeps the requests.
  void Script(std::vector<os::FileDialogAnswer> answers) {
    answers_ = std::move(answers);
    requests.clear();
    os::SetFileDialogHook([this](const os::FileDialogRequest& r) {
      requests.push_back(r);
      if (requests.size() > answers_.size()) return os::FileDialogAnswer{};
      return answers_[requests.size() - 1];
    });
  }
  static os::FileDialogAnswer Ok(const char16_t* name, int filterIndex = 0) {
    return {true, name, filterIndex};
  }

  std::vector<os::FileDialogRequest> requests;

 private:
  fs::path dir_;
  std::vector<os::FileDialogAnswer> answers_;
};

TEST_F(FileDialogTest, CancelledOnTheHeadlessDisplayWithoutAHook) {
  TOpenDialog open(nullptr);
  open.SetFileName(u"keep.txt");
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName(), u"keep.txt");
  TSaveDialog save(nullptr);
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  // A hook that cancels is a cancel too.
  Script({});
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(open.FileName(), u"keep.txt");
}

TEST_F(FileDialogTest, FilterAsTheDialogSeesIt) {
  using Filters = std::vector<std::pair<String, String>>;
  struct Case {
    const char16_t* filter;
    int index;
    Filters expected;
    int shownIndex;
  } cases[] = {
      {u"Text|*.txt|All|*.*", 2, {{u"Text", u"*.txt"}, {u"All", u"*.*"}}, 2},
      {u"Pictures (*.png;*.bmp)|*.png;*.bmp", 1, {{u"Pictures (*.png;*.bmp)", u"*.png;*.bmp"}}, 1},
      {u"Text|*.txt|Dangling", 1, {{u"Text", u"*.txt"}}, 1},  // a description without patterns is dropped
      {u"Text|*.txt|All|*.*", 7, {{u"Text", u"*.txt"}, {u"All", u"*.*"}}, 2},
      {u"Text|*.txt|All|*.*", 0, {{u"Text", u"*.txt"}, {u"All", u"*.*"}}, 1},
      {u"", 1, {}, 1},
  };
  for (const auto& c : cases) {
    TOpenDialog d(nullptr);
    d.SetFilter(c.filter);
    d.SetFilterIndex(c.index);
    Script({});
    d.Execute();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Filters, c.expected) << U8(c.filter);
    EXPECT_EQ(requests[0].FilterIndex, c.shownIndex) << U8(c.filter);
  }
  // The filter chosen in the dialog comes back.
  TOpenDialog d(nullptr);
  d.SetFilter(u"Text|*.txt|All|*.*");
  d.SetInitialDir(Dir());
  Script({Ok(u"exists.txt", 2)});
  ASSERT_TRUE(d.Execute());
  EXPECT_EQ(d.FilterIndex(), 2);
  EXPECT_EQ(d.FileName(), In("exists.txt"));
  EXPECT_EQ(d.Files()->Count(), 1);
}

TEST_F(FileDialogTest, DefaultExtensionAndFolders) {
  struct Case {
    const char* name;
    bool save;
    const char16_t* defaultExt;
    const char16_t* filter;
    int filterIndex;
    const char16_t* typed;
    const char* expected;  // in the test folder
    bool extensionDifferent;
  } cases[] = {
      {"added to a name without one", true, u"txt", u"", 1, u"report", "report.txt", false},
      {"not added to a name with one", true, u"txt", u"", 1, u"report.csv", "report.csv", true},
      {"a leading dot is no extension", true, u"txt", u"", 1, u".hidden", ".hidden.txt", false},
      {"the chosen filter's extension wins", true, u"png", u"PNG|*.png|JPEG|*.jpg", 2, u"photo", "photo.jpg",
       true},
      {"a filter with several patterns uses the default", true, u"png", u"Images|*.png;*.jpg", 1, u"photo",
       "photo.png", false},
      {"no default extension: nothing added", true, u"", u"Text|*.txt", 1, u"plain", "plain", false},
      {"opening an existing file as typed", false, u"txt", u"", 1, u"exists.txt", "exists.txt", false},
      {"opening: added when the typed name does not exist", false, u"txt", u"", 1, u"exists", "exists.txt",
       false},
      {"a path into a sub-folder", true, u"txt", u"", 1, u"sub/inner", "sub/inner.txt", false},
      {"a full path", true, u"", u"", 1, nullptr, "elsewhere.dat", false},
  };
  for (const auto& c : cases) {
    TSaveDialog save(nullptr);
    TOpenDialog open(nullptr);
    TOpenDialog& d = c.save ? save : open;
    d.SetDefaultExt(c.defaultExt);
    d.SetFilter(c.filter);
    d.SetFilterIndex(c.filterIndex);
    d.SetInitialDir(Dir());
    const String full = In("elsewhere.dat");
    Script({{true, c.typed ? String(c.typed) : full, 0}});
    ASSERT_TRUE(d.Execute()) << c.name;
    EXPECT_EQ(d.FileName(), In(c.expected)) << c.name;
    EXPECT_EQ(d.Options().Contains(ofExtensionDifferent), c.extensionDifferent) << c.name;
  }
  // A folder typed as the name opens it; the dialog asks again from there.
  TOpenDialog d(nullptr);
  d.SetInitialDir(Dir());
  Script({Ok(u"sub"), Ok(u"x.txt")});
  ASSERT_TRUE(d.Execute());
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].Folder, Dir());
  EXPECT_EQ(requests[1].Folder, In("sub"));
  EXPECT_EQ(d.FileName(), In("sub/x.txt"));
}

TEST_F(FileDialogTest, StartsInTheInitialFolderOrTheFileNamesFolder) {
  TSaveDialog d(nullptr);
  d.SetFileName(In("sub/start.txt"));
  Script({});
  d.Execute();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Folder, In("sub"));
  EXPECT_EQ(requests[0].FileName, u"start.txt");
  EXPECT_EQ(requests[0].Title, u"Save As");
  EXPECT_TRUE(requests[0].Save);
  TOpenDialog o(nullptr);
  o.SetTitle(u"Pick one");
  o.SetInitialDir(Dir());
  o.SetFileName(u"given.txt");
  Script({});
  o.Execute();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Folder, Dir());
  EXPECT_EQ(requests[0].FileName, u"given.txt");
  EXPECT_EQ(requests[0].Title, u"Pick one");
  EXPECT_FALSE(requests[0].Save);
}

TEST_F(FileDialogTest, QuestionsThatRefuseAnAnswer) {
  struct Case {
    const char* name;
    bool save;
    TOpenOptions options;
    const char16_t* first;
    int boxAnswer;
    size_t boxes;
    bool askedAgain;  // the dialog stayed open and the hook answered again
  } cases[] = {
      {"overwrite declined", true, {ofOverwritePrompt}, u"exists.txt", IDNO, 1, true},
      {"overwrite accepted", true, {ofOverwritePrompt}, u"exists.txt", IDYES, 1, false},
      {"no prompt without the option", true, {}, u"exists.txt", IDNO, 0, false},
      {"a new file needs no prompt", true, {ofOverwritePrompt}, u"new.txt", IDNO, 0, false},
      {"a missing file must exist", false, {ofFileMustExist}, u"missing.txt", IDOK, 1, true},
      {"a missing folder must exist", true, {ofPathMustExist}, u"nowhere/a.txt", IDOK, 1, true},
      {"missing is fine without the options", false, {}, u"missing.txt", IDOK, 0, false},
  };
  for (const auto& c : cases) {
    TSaveDialog save(nullptr);
    TOpenDialog open(nullptr);
    TOpenDialog& d = c.save ? save : open;
    d.SetOptions(c.options);
    d.SetInitialDir(Dir());
    boxes.clear();
    boxAnswer = c.boxAnswer;
    const char16_t* second = c.save ? u"other.txt" : u"exists.txt";
    Script({Ok(c.first), Ok(second)});
    ASSERT_TRUE(d.Execute()) << c.name;
    EXPECT_EQ(boxes.size(), c.boxes) << c.name;
    EXPECT_EQ(requests.size(), c.askedAgain ? 2u : 1u) << c.name;
    if (c.askedAgain) {
      EXPECT_EQ(requests[1].Round, 1) << c.name;
      EXPECT_FALSE(requests[1].Refusal.empty()) << c.name;
      EXPECT_EQ(d.FileName(), In(StringToUtf8(second).c_str())) << c.name;
    } else {
      EXPECT_EQ(d.FileName(), In(StringToUtf8(c.first).c_str())) << c.name;
    }
  }
  // The question names the file.
  TSaveDialog d(nullptr);
  d.SetOptions({ofOverwritePrompt});
  d.SetInitialDir(Dir());
  boxes.clear();
  boxAnswer = IDNO;
  Script({Ok(u"exists.txt")});
  EXPECT_FALSE(d.Execute());  // declined, then cancelled
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"exists.txt already exists.\r\nDo you want to replace it?");
  EXPECT_EQ(boxes[0].flags & 0xF, static_cast<UINT>(MB_YESNO));
}

TEST_F(FileDialogTest, PictureDialogsOfferTheRegisteredFormats) {
  TOpenPictureDialog open(nullptr);
  const String filter = open.Filter();
  EXPECT_EQ(filter.rfind(u"All (", 0), 0u) << U8(filter);
  for (const char16_t* part :
       {u"*.bmp", u"*.png", u"*.jpg", u"*.ico", u"Portable Network Graphics (*.png)|*.png"})
    EXPECT_NE(filter.find(part), String::npos) << U8(part);
  EXPECT_EQ(GraphicExtension(TBitmap::StaticClass()), u"bmp");
  EXPECT_EQ(GraphicFileMask(TBitmap::StaticClass()), u"*.bmp");
  TSavePictureDialog save(nullptr);
  save.SetFilter(GraphicFilter(TPngImage::StaticClass()));
  save.SetDefaultExt(GraphicExtension(TPngImage::StaticClass()));
  save.SetInitialDir(Dir());
  Script({Ok(u"shot")});
  ASSERT_TRUE(save.Execute());
  EXPECT_TRUE(requests[0].Save);
  EXPECT_EQ(save.FileName(), In("shot.png"));
}

}  // namespace
}  // namespace qd::testing
