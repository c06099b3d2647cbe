// The status lines as the chat room receives them: Windows-1252 bytes, "›" as 0x9B and "‹" as
// 0x8B. Written out here rather than taken from the program, so that a slip in its catalogue
// shows as a difference; the unit tests and the Windows tests both expect these.
#pragma once

#include <string>
#include <string_view>

namespace quillow::room {

inline constexpr char kGreeting[] =
    "<font color=#0000ff> -v\x9B <font color=#000000>Quillow By: Torvik.Zennoq03<font color=#0000ff> \x8Bv-";
inline constexpr char kMotto[] =
    "<font color=#0000ff>-v\x9B <font color=#000000>Taking idlers to the max<font color=#0000ff> \x8Bv-";
inline constexpr char kFarewell[] =
    "<font color=#0000ff> -v\x9B <font color=#000000> Quillow. <font color=#0000ff> \x8Bv-";
inline constexpr char kUnloaded[] =
    "<font color=#0000ff>-v\x9B <font color=#000000>Unloaded<font color=#0000ff> \x8Bv-";
inline constexpr char kTick[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> brumo.velt idl'n <font color=#0000ff> \x8Bv-";
inline constexpr char kWentIdle[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> i went idle <font color=#0000ff> \x8Bv-";
inline constexpr char kCameBack[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> i came back <font color=#0000ff> \x8Bv-";
inline constexpr char kImsOn[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> ims on <font color=#0000ff> \x8Bv-";
inline constexpr char kImsOff[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> ims off <font color=#0000ff> \x8Bv-";
inline constexpr char kExit[] =
    "<font color=#0000ff> -v\x9B <font color=#000000>Using Quillow By: Torvik.Zennoq03 un-loaded<font color=#0000ff> \x8Bv-";
inline constexpr char kCredit[] =
    "<font color=#0000ff> -v\x9B <font color=#000000>Using Quillow By: Torvik.Zennoq<font color=#0000ff> \x8Bv-";
inline constexpr char kContactTorvik[] =
    "<font color=#0000ff> -v\x9B <font color=#000000>You can reach Torvik at SN:Palvo Torvik<font color=#0000ff> \x8Bv-";
inline constexpr char kContactZennoq[] =
    "<font color=#0000ff> -v\x9B <font color=#000000>You can reach zennoq at SN:Zennoq03<font color=#0000ff> \x8Bv-";

// The reason line of "Start" and that of the timer, around a reason already in Windows-1252.
inline constexpr char kIdleCauseBefore[] =
    "<font color=#0000ff>-v\x9B <font color=#000000> i am idl'n cause ";
inline constexpr char kReBefore[] = "<font color=#0000ff>-v\x9B <font color=#000000>(re:  ";
inline std::string IdleCause(std::string_view reason) {
    return kIdleCauseBefore + std::string(reason) + " <font color=#0000ff> \x8Bv-";
}
inline std::string ReLine(std::string_view reason) {
    return kReBefore + std::string(reason) + ")<font color=#0000ff> \x8Bv-";
}

}  // namespace quillow::room
