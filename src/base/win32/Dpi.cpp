#include "base/win32/Dpi.h"

namespace tessaly::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);

// Windows 10's per-monitor functions, or null before it (and in some Wine versions).
struct PerMonitorFunctions {
  GetDpiForWindowFn dpiForWindow = nullptr;
  GetSystemMetricsForDpiFn metricsForDpi = nullptr;
  SystemParametersInfoForDpiFn parametersForDpi = nullptr;
  EnableNonClientDpiScalingFn scaleNonClient = nullptr;

  PerMonitorFunctions() {
    const HMODULE user = ::GetModuleHandleA("user32.dll");
    if (user == nullptr) return;
    dpiForWindow = Lookup<GetDpiForWindowFn>(user, "GetDpiForWindow");
    metricsForDpi = Lookup<GetSystemMetricsForDpiFn>(user, "GetSystemMetricsForDpi");
    parametersForDpi = Lookup<SystemParametersInfoForDpiFn>(user, "SystemParametersInfoForDpi");
    scaleNonClient = Lookup<EnableNonClientDpiScalingFn>(user, "EnableNonClientDpiScaling");
  }

  template <typename Fn>
  static Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  }
};

const PerMonitorFunctions& PerMonitor() {
  static const PerMonitorFunctions functions;
  return functions;
}

}  // namespace

Dpi Dpi::OfScreen() {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return Dpi(dpi > 0 ? dpi : 96);
}

Dpi Dpi::OfWindow(HWND window) {
  if (window != nullptr && PerMonitor().dpiForWindow != nullptr) {
    const UINT dpi = PerMonitor().dpiForWindow(window);
    if (dpi > 0) return Dpi(static_cast<int>(dpi));
  }
  return OfScreen();
}

void ScaleNonClientArea(HWND window) {
  if (PerMonitor().scaleNonClient != nullptr) PerMonitor().scaleNonClient(window);
}

UniqueFont CreateFormFont(Dpi dpi, int designHeight) {
  return UniqueFont(::CreateFontA(-dpi.Scale(designHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

int SystemMetricAt(Dpi dpi, int index) {
  if (PerMonitor().metricsForDpi != nullptr) {
    const int metric = PerMonitor().metricsForDpi(index, static_cast<UINT>(dpi.value()));
    if (metric > 0) return metric;
  }
  return dpi.Rescale(::GetSystemMetrics(index), Dpi::OfScreen());
}

UniqueFont CreateStatusFont(Dpi dpi) {
  // The function knows the wide structure only.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (PerMonitor().parametersForDpi != nullptr &&
      PerMonitor().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                    static_cast<UINT>(dpi.value()))) {
    return UniqueFont(::CreateFontIndirectW(&metrics.lfStatusFont));
  }
  // Without it, the screen's font made larger or smaller.
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  metrics.lfStatusFont.lfHeight = dpi.Rescale(metrics.lfStatusFont.lfHeight, Dpi::OfScreen());
  return UniqueFont(::CreateFontIndirectW(&metrics.lfStatusFont));
}

}  // namespace tessaly::win32
