// Every line the panel posts into the chat room, held whole, character for character.
//
// A line is an HTML fragment the client renders: a blue opening mark, the text in black, a
// blue closing mark. The marks differ slightly from line to line (some open with a space,
// some texts begin or end with one), which is why each line is kept as it is posted rather
// than assembled.
#pragma once

#include <string>
#include <string_view>

namespace quillow::lines {

inline constexpr std::string_view kGreeting =
    "<font color=#0000ff> -v› <font color=#000000>Quillow By: Torvik.Zennoq03<font color=#0000ff> ‹v-";
inline constexpr std::string_view kMotto =
    "<font color=#0000ff>-v› <font color=#000000>Taking idlers to the max<font color=#0000ff> ‹v-";
inline constexpr std::string_view kFarewell =
    "<font color=#0000ff> -v› <font color=#000000> Quillow. <font color=#0000ff> ‹v-";
inline constexpr std::string_view kUnloaded =
    "<font color=#0000ff>-v› <font color=#000000>Unloaded<font color=#0000ff> ‹v-";
inline constexpr std::string_view kIdleTick =
    "<font color=#0000ff>-v› <font color=#000000> brumo.velt idl'n <font color=#0000ff> ‹v-";
inline constexpr std::string_view kWentIdle =
    "<font color=#0000ff>-v› <font color=#000000> i went idle <font color=#0000ff> ‹v-";
inline constexpr std::string_view kCameBack =
    "<font color=#0000ff>-v› <font color=#000000> i came back <font color=#0000ff> ‹v-";
inline constexpr std::string_view kImsOn =
    "<font color=#0000ff>-v› <font color=#000000> ims on <font color=#0000ff> ‹v-";
inline constexpr std::string_view kImsOff =
    "<font color=#0000ff>-v› <font color=#000000> ims off <font color=#0000ff> ‹v-";
inline constexpr std::string_view kExit =
    "<font color=#0000ff> -v› <font color=#000000>Using Quillow By: Torvik.Zennoq03 un-loaded<font color=#0000ff> ‹v-";
inline constexpr std::string_view kCredit =
    "<font color=#0000ff> -v› <font color=#000000>Using Quillow By: Torvik.Zennoq<font color=#0000ff> ‹v-";
inline constexpr std::string_view kContactTorvik =
    "<font color=#0000ff> -v› <font color=#000000>You can reach Torvik at SN:Palvo Torvik<font color=#0000ff> ‹v-";
inline constexpr std::string_view kContactZennoq =
    "<font color=#0000ff> -v› <font color=#000000>You can reach zennoq at SN:Zennoq03<font color=#0000ff> ‹v-";

// The two lines that carry the user's reason: fixed piece, reason, fixed piece.
inline constexpr std::string_view kIdleCauseBefore =
    "<font color=#0000ff>-v› <font color=#000000> i am idl'n cause ";
inline constexpr std::string_view kIdleCauseAfter = " <font color=#0000ff> ‹v-";
inline constexpr std::string_view kReBefore = "<font color=#0000ff>-v› <font color=#000000>(re:  ";
inline constexpr std::string_view kReAfter = ")<font color=#0000ff> ‹v-";

// The reason goes in exactly as typed: no trimming and no escaping, since users put their
// own markup in it.
std::string IdleCauseLine(std::string_view reason);
std::string ReLine(std::string_view reason);

// The special recipients that switch the user's instant messages on and off, and what is
// sent to them.
inline constexpr std::string_view kImOnRecipient = "$IM_on";
inline constexpr std::string_view kImOnMessage = "im back";
inline constexpr std::string_view kImOffRecipient = "$IM_off";
inline constexpr std::string_view kImOffMessage = "bye";

}  // namespace quillow::lines
