// The resources the build gives both programs: what Explorer shows under Properties,
// Details, the icon, and the manifest Windows reads when it starts them. This test program
// carries the same manifest, so its window suites run as the programs do.

#include <windows.h>
// after windows.h, which they build on
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/version.h"
#include "app/win32/wide_text.h"

namespace konwerter::win32 {
namespace {

// A program built beside this test, by its Linux path, as Wine names it (drive Z:).
std::wstring ProgramFile(std::string_view linux_path) {
  std::wstring path = L"Z:" + WideFromCp1250(linux_path);
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

std::wstring VersionValue(const std::wstring& program, const std::wstring& name) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return L"(no version information)";
  std::vector<unsigned char> data(size);
  ::GetFileVersionInfoW(program.c_str(), 0, size, data.data());
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = L"\\StringFileInfo\\041504B0\\" + name;
  if (!::VerQueryValueW(data.data(), key.c_str(), &value, &length)) return L"(none)";
  return static_cast<const wchar_t*>(value);
}

// The resources of a program file, read without running it.
class ProgramModule {
 public:
  explicit ProgramModule(const std::wstring& program)
      : module_(::LoadLibraryExW(program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ProgramModule() {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  ProgramModule(const ProgramModule&) = delete;
  ProgramModule& operator=(const ProgramModule&) = delete;

  bool Has(LPCWSTR type) const {
    return module_ != nullptr && ::FindResourceW(module_, MAKEINTRESOURCEW(1), type) != nullptr;
  }
  // The images every icon of the program is drawn from, by icon, as its group names them: the
  // image's number and the size the group gives it.
  std::vector<std::vector<std::pair<WORD, DWORD>>> IconImages() const {
    std::vector<std::vector<std::pair<WORD, DWORD>>> icons;
    ::EnumResourceNamesW(
        module_, RT_GROUP_ICON,
        [](HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
          const HRSRC group = ::FindResourceW(module, name, RT_GROUP_ICON);
          const auto* bytes =
              static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
          // A group: 6 bytes of header (the count at 4), then 14 bytes per image, its size at
          // 8 and its number at 12.
          const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
          std::vector<std::pair<WORD, DWORD>> images;
          for (WORD i = 0; i < count; ++i) {
            const BYTE* entry = bytes + 6 + 14 * i;
            images.emplace_back(*reinterpret_cast<const WORD*>(entry + 12),
                                *reinterpret_cast<const DWORD*>(entry + 8));
          }
          reinterpret_cast<std::vector<std::vector<std::pair<WORD, DWORD>>>*>(found)->push_back(
              images);
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&icons));
    return icons;
  }
  DWORD ImageSize(WORD image) const {
    const HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(image), RT_ICON);
    return found == nullptr ? 0 : ::SizeofResource(module_, found);
  }
  std::string Manifest() const {
    const HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (found == nullptr) return {};
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
    return std::string(bytes, ::SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

TEST(ProgramResourcesTest, BothProgramsCarryTheirVersionIconAndManifest) {
  const std::wstring version = WideFromCp1250(app::VersionText());
  for (const auto& [path, description] :
       {std::pair{KONWERTER_CLI_EXE,
                  L"Konwerter danych systemu TEROKAN z wersji DOS do wersji "
                  L"Windows (wiersz polece\u0144)"},
        std::pair{KONWERTER_EXE,
                  L"Konwerter danych systemu TEROKAN z wersji DOS do wersji Windows"}}) {
    const std::wstring program = ProgramFile(path);
    EXPECT_EQ(VersionValue(program, L"ProductName"), L"Konwerter") << path;
    EXPECT_EQ(VersionValue(program, L"ProductVersion"), version) << path;
    EXPECT_EQ(VersionValue(program, L"FileVersion"), version) << path;
    EXPECT_EQ(VersionValue(program, L"FileDescription"), description) << path;

    const ProgramModule module(program);
    EXPECT_TRUE(module.Has(RT_GROUP_ICON)) << path;
    const std::string manifest = module.Manifest();
    for (const char* setting :
         {"Microsoft.Windows.Common-Controls", "PerMonitorV2", "true/pm", ">UTF-8<", "asInvoker"}) {
      EXPECT_NE(manifest.find(setting), std::string::npos) << path << ": " << setting;
    }
  }
}

// The window's program carries its own icon and the pictures of its buttons: every icon is
// drawn from images of its own, each the size its icon gives it (images of two resource
// scripts that took the same numbers would leave some icon drawn from another's picture).
TEST(ProgramResourcesTest, EveryIconOfTheWindowHasImagesOfItsOwn) {
  const ProgramModule module(ProgramFile(KONWERTER_EXE));
  const auto icons = module.IconImages();
  EXPECT_EQ(icons.size(), 5u);  // the program's icon and four button pictures
  std::set<WORD> taken;
  for (const auto& images : icons) {
    for (const auto& [image, size] : images) {
      EXPECT_TRUE(taken.insert(image).second) << "image " << image << " in two icons";
      EXPECT_EQ(module.ImageSize(image), size) << "image " << image;
    }
  }
}

// The manifest took: this program, which carries it, got the common controls of today
// (from the side-by-side store), is aware of each screen's dots per inch, and its narrow file
// names are UTF-8.
TEST(ProgramResourcesTest, TheManifestTakesEffect) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&common);
  wchar_t controls[MAX_PATH] = {};
  ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), controls, MAX_PATH);
  std::wstring controls_file(controls);
  for (wchar_t& c : controls_file) c = static_cast<wchar_t>(std::towlower(c));
  EXPECT_NE(controls_file.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_"),
            std::wstring::npos)
      << Cp1250FromWide(controls_file);

  using GetContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)();
  using AwarenessCall = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const HMODULE user = ::GetModuleHandleW(L"user32.dll");
  const auto get_context = reinterpret_cast<GetContextCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(user, "GetThreadDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<AwarenessCall>(
      reinterpret_cast<void (*)()>(::GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(get_context != nullptr && awareness != nullptr);
  EXPECT_EQ(awareness(get_context()), DPI_AWARENESS_PER_MONITOR_AWARE);
  EXPECT_EQ(::GetACP(), static_cast<UINT>(CP_UTF8));
}

}  // namespace
}  // namespace konwerter::win32
