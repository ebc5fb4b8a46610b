// window-shots: pictures of the plug-in's three windows, taken from outside
// while the host simulator runs the plug-in on the same (Wine) desktop.
//
// It works the windows as a user would: clicks the keyword editor button,
// types a pattern, selects a group and picks "编辑群管" from the list's
// popup menu with the keyboard. Each window is copied from the screen into
// a BMP file in the output directory:
//   main-window.bmp, main-window-menu.bmp, keyword-editor.bmp, group-settings.bmp
//
//   window-shots <output-dir>
// Exits 1 when a window does not appear in time.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

const char kMainTitle[] = "Tarvolo者  ---by：Dunmere";
const char kSettingsTitle[] = "设置群管";
const char kEditorTitle[] = "关键词编辑";

HWND wait_for_window(const char* title, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    HWND window = FindWindowA(nullptr, title);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

HWND child_with_class(HWND parent, const char* window_class) {
  return FindWindowExA(parent, nullptr, window_class, nullptr);
}

HWND child_with_text(HWND parent, const char* text) {
  return FindWindowExA(parent, nullptr, nullptr, text);
}

// Lets the windows of the other process repaint.
void settle() { Sleep(700); }

bool save_bitmap(const std::string& path, HBITMAP bitmap, HDC context, int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
  BITMAPINFO info{};
  info.bmiHeader = header;
  if (!GetDIBits(context, bitmap, 0, height, &pixels[0], &info, DIB_RGB_COLORS)) return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4d42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

// Copies a rectangle of the screen into a BMP file.
bool capture(const RECT& area, const std::string& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);
  const bool saved = save_bitmap(path, bitmap, memory, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
  return saved;
}

bool capture_window(HWND window, const std::string& path) {
  RECT area;
  GetWindowRect(window, &area);
  return capture(area, path);
}

void click(HWND control, UINT down, UINT up, WPARAM buttons, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageA(control, down, buttons, where);
  PostMessageA(control, up, 0, where);
}

void press_key(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  Sleep(150);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string out = argc > 1 ? argv[1] : ".";
  const std::string separator = "\\";

  HWND main_window = wait_for_window(kMainTitle, 60);
  if (main_window == nullptr) {
    std::fprintf(stderr, "window-shots: the main window did not appear\n");
    return 1;
  }
  SetForegroundWindow(main_window);
  settle();
  HWND list = child_with_class(main_window, "SysListView32");
  // The first row of the group list, selected.
  click(list, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, POINT{40, 27});
  settle();
  capture_window(main_window, out + separator + "main-window.bmp");

  // The keyword editor, with a pattern typed in.
  HWND keyword_button = child_with_text(main_window, "关键词编辑");
  PostMessageA(keyword_button, BM_CLICK, 0, 0);
  HWND editor = wait_for_window(kEditorTitle, 10);
  if (editor == nullptr) {
    std::fprintf(stderr, "window-shots: the keyword editor did not open\n");
    return 1;
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(child_with_class(editor, "Edit"), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>("兼职.{0,4}日结"), SMTO_NORMAL, 5000, &ignored);
  settle();
  capture_window(editor, out + separator + "keyword-editor.bmp");
  PostMessageA(editor, WM_CLOSE, 0, 0);
  settle();

  // The popup menu of the group list, opened by a right click on the
  // selected row, then "编辑群管" chosen with the keyboard.
  SetForegroundWindow(main_window);
  RECT list_area;
  GetWindowRect(list, &list_area);
  SetCursorPos(list_area.left + 60, list_area.top + 30);
  click(list, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, POINT{60, 27});
  settle();
  RECT with_menu;
  GetWindowRect(main_window, &with_menu);
  if (HWND menu = FindWindowA("#32768", nullptr)) {
    RECT menu_area;
    GetWindowRect(menu, &menu_area);
    UnionRect(&with_menu, &with_menu, &menu_area);
  }
  capture(with_menu, out + separator + "main-window-menu.bmp");
  press_key(main_window, VK_DOWN);
  press_key(main_window, VK_DOWN);
  press_key(main_window, VK_RETURN);

  HWND settings = wait_for_window(kSettingsTitle, 10);
  if (settings == nullptr) {
    std::fprintf(stderr, "window-shots: the group settings window did not open\n");
    return 1;
  }
  settle();
  capture_window(settings, out + separator + "group-settings.bmp");
  std::fflush(stdout);
  return 0;
}
