#pragma once
// The lines of the report a save shows when it is done: one line per step, each
// telling whether the step succeeded, failed, was canceled or was not attempted.

namespace linkmoor::save_report {

inline constexpr char kHeader[] = "Update details:\n\n";
inline constexpr char kSaved[] = "successful:\tsave the file to disk\n";
inline constexpr char kNotSaved[] = "error:\t\tcan not save the file to disk\n";
inline constexpr char kGeneralDone[] = "successful:\tprocess general error infomation\n";
inline constexpr char kGeneralFailed[] = "error:\t\tcan not process general error infomation\n";
/// The local save's line for a general pass cut short.
inline constexpr char kGeneralCanceled[] =
    "canceled:\t\tcan not process general error infomation\n";
/// The remote save's line for a general pass cut short.
inline constexpr char kGeneralCanceledRemote[] = "canceled:\t\tprocess general error infomation\n";
inline constexpr char kGeneralIgnored[] = "ignore:\t\tprocess general error infomation\n";
inline constexpr char kDescriptionDone[] = "successful:\tprocess error description\n";
inline constexpr char kDescriptionFailed[] = "error:\t\tcan not process error description\n";
/// A description pass cut short by Stop or Skip: its rows would be incomplete.
inline constexpr char kDescriptionCanceled[] = "canceled:\t\tprocess error description\n";
inline constexpr char kDescriptionIgnored[] = "ignore:\t\tprocess error description\n";
inline constexpr char kUploaded[] = "successful:\tupload the file\n";
inline constexpr char kNotUploaded[] = "error:\t\tcan not upload the file\n";
inline constexpr char kUploadIgnored[] = "ignore:\t\tupload the file\n";
inline constexpr char kDisconnected[] = "error:\t\tftp is disconnected\n";

} // namespace linkmoor::save_report
