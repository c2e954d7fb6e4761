#pragma once

#include <string_view>

// Every text the program shows or composes, as GBK bytes (the comment gives the characters).
// A test decodes each one and compares it with the characters it is meant to be.
namespace vorlo::literals {

// Caption of the main window.
inline constexpr std::string_view mainWindowCaption = "Vorlo 1.1"; // Vorlo 1.1

// Caption of the reminder window.
inline constexpr std::string_view reminderWindowCaption = "\xCC\xE1\xD0\xD1\xA3\xBA"; // 提醒：
inline constexpr std::string_view everyLabelText = "\xC3\xBF\xB8\xF4";                // 每隔
inline constexpr std::string_view minutesLabelText =
    "\xB7\xD6\xD6\xD3\xCC\xE1\xD0\xD1\xA1\xA3";                         // 分钟提醒。
inline constexpr std::string_view onTopCheckText = "\xD6\xC3\xB6\xA5";  // 置顶
inline constexpr std::string_view startButtonText = "\xBF\xAA\xCA\xBC"; // 开始
inline constexpr std::string_view stopButtonText = "\xCD\xA3\xD6\xB9";  // 停止

// The face of the labels, the check box and the edit box.
inline constexpr std::string_view uiFontFace = "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA"; // 微软雅黑

// The interval at start-up, in minutes.
inline constexpr std::string_view minutesEditText = "4";

// The remaining-time caption at start-up and after a stop.
inline constexpr std::string_view remainingIdleCaption = "\xCA\xA3\xD3\xE0\xCA\xB1\xBC\xE4\xA3\xBA"
                                                         "0\xC3\xEB"; // 剩余时间：0秒

// The remaining-time caption is prefix, count, suffix.
inline constexpr std::string_view remainingPrefix =
    "\xCA\xA3\xD3\xE0\xCA\xB1\xBC\xE4\xA3\xBA";                 // 剩余时间：
inline constexpr std::string_view remainingSuffix = "\xC3\xEB"; // 秒

// Units after the fields of a date-time text.
inline constexpr std::string_view yearUnit = "\xC4\xEA";   // 年
inline constexpr std::string_view monthUnit = "\xD4\xC2";  // 月
inline constexpr std::string_view dayUnit = "\xC8\xD5";    // 日
inline constexpr std::string_view hourUnit = "\xCA\xB1";   // 时
inline constexpr std::string_view minuteUnit = "\xB7\xD6"; // 分
inline constexpr std::string_view secondUnit = "\xC3\xEB"; // 秒

// The fatal-error box.
inline constexpr std::string_view errorBoxTitle = "\xB4\xED\xCE\xF3"; // 错误
inline constexpr std::string_view errorBoxHeading =
    "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!"; // 运行时出错!
inline constexpr std::string_view errorBoxMessageLabel =
    "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"; // 错误信息：

// Fatal-error messages.
inline constexpr std::string_view startupWindowFailed =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC"; // 载入启动窗口失败

// "分配 N 字节内存失败!" around the number of bytes asked for.
inline constexpr std::string_view allocationFailedBefore = "\xB7\xD6\xC5\xE4 "; // 分配
inline constexpr std::string_view allocationFailedAfter =
    " \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!"; //  字节内存失败!

} // namespace vorlo::literals
