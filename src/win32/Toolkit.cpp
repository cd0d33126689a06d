// The window class of every form, and the end of the program when its last window goes.
#include "Toolkit.h"

#include <commctrl.h>

#include "Form.h"
#include "WindowIcons.h"

namespace loadergui::win32 {

namespace {

constexpr char kWindowClass[] = "LoaderGuiForm";

// The class's icons, at the system DPI, last the whole run; shared, so nobody destroys them.
HICON LoadIconOfSize(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconResource), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

// Registers the common controls the forms use (the standard controls of version 6 and the
// tooltips); a second toolkit in the same process registers them again, harmlessly.
void LoadCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
}

}  // namespace

Win32Toolkit::Win32Toolkit(HINSTANCE instance) : instance_(instance) {
  LoadCommonControls();
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Win32Form::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconOfSize(instance_, SM_CXICON, SM_CYICON);
  windowClass.hIconSm = LoadIconOfSize(instance_, SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  // A second toolkit in the same process (tests) finds the class already there.
  registeredClass_ = RegisterClassExA(&windowClass) != 0;
}

Win32Toolkit::~Win32Toolkit() {
  if (registeredClass_) UnregisterClassA(kWindowClass, instance_);
}

const char* Win32Toolkit::WindowClassName() {
  return kWindowClass;
}

std::unique_ptr<ui::Form> Win32Toolkit::createForm(const ui::FormLayout& layout) {
  return std::make_unique<Win32Form>(layout, *this);
}

void Win32Toolkit::windowDestroyed() {
  if (--liveWindows_ == 0) PostQuitMessage(0);
}

}  // namespace loadergui::win32
