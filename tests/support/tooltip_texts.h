// What the panel's tooltips say, written out here in UTF-8 as a person reads them, rather than
// taken from the program, so that a slip in its words or its catalogue of lines shows.
#pragma once

namespace quillow::testing::tips {

inline constexpr char kStart[] =
    "Posts in the room:\n"
    "-v\u203A i went idle \u2039v-\n"
    "-v\u203A i am idl'n cause <your reason> \u2039v-";
inline constexpr char kStop[] = "Posts in the room:\n-v\u203A i came back \u2039v-";
inline constexpr char kImOn[] =
    "Posts in the room:\n"
    "-v\u203A ims on \u2039v-\n"
    "Then sends \"im back\" to $IM_on, which turns your instant messages on.";
inline constexpr char kImOff[] =
    "Posts in the room:\n"
    "-v\u203A ims off \u2039v-\n"
    "Then sends \"bye\" to $IM_off, which turns them off.";
inline constexpr char kClearChat[] = "Empties the conversation on your own screen. Sends nothing.";
inline constexpr char kExit[] =
    "Posts in the room:\n"
    "-v\u203A Using Quillow By: Torvik.Zennoq03 un-loaded \u2039v-\n"
    "Then Quillow ends at once.";
inline constexpr char kAdv[] =
    "Posts in the room:\n-v\u203A Using Quillow By: Torvik.Zennoq \u2039v-";
inline constexpr char kCon[] =
    "Posts in the room:\n"
    "-v\u203A You can reach Torvik at SN:Palvo Torvik \u2039v-\n"
    "-v\u203A You can reach zennoq at SN:Zennoq03 \u2039v-";
inline constexpr char kReasonBox[] =
    "Your reason. It goes into the room exactly as typed, on Start and every minute.";

}  // namespace quillow::testing::tips
