#pragma once

// Every emulator option Mivo offers, in one place. The main window builds its option controls by
// walking these tables, and the command line is composed by walking them in step order, so an option
// is described here once and nowhere else.

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace mivo {

enum class OptionTab { Video, SoundControls, Misc, Roms };

// Where a control stands on its tab: rows run top to bottom, columns left to right.
struct Placement {
    OptionTab tab;
    int row;
    int column;
};

// A check box of the main window. `step` is the check box's place in the command line (0: it
// contributes no switch of its own, because it heads a group or a number field, or is a tray
// preference). A `gapBefore` row stands apart from the rows above it.
struct CheckBoxRow {
    std::string_view name;
    std::string_view caption;
    Placement placement;
    bool designedTicked;
    std::string_view switchText;
    int step;
    bool gapBefore = false;
};

enum class OptionGroup { Player1, Player2, SampleRate, VideoMode };

// A frame holding one exclusive group of option buttons, titled by the check box that switches the
// group on. `defaultOption` is the button start-up selects.
struct OptionGroupRow {
    OptionGroup group;
    std::string_view frameName;
    int headingCheck;
    int defaultOption;
    Placement placement;
    int columns;
};

// An option button; a `centred` button takes a row of its own across the frame.
struct OptionButtonRow {
    std::string_view name;
    std::string_view caption;
    OptionGroup group;
    int gridRow;
    int gridColumn;
    bool centred;
    std::string_view switchText;
    int step;
};

// A number field beside its heading check box. The field's text goes into the command line after
// `switchText` only while its validity flag says the last check found the value in range.
struct NumberFieldRow {
    std::string_view name;
    int headingCheck;
    std::string_view flagName;
    std::string_view startText;
    std::string_view resetText;
    double minimum;
    double maximum;
    std::string_view maximumText;
    std::string_view switchText;
    int step;
};

inline constexpr std::size_t kCheckBoxCount = 37;
inline constexpr std::size_t kOptionButtonCount = 31;
inline constexpr std::size_t kNumberFieldCount = 4;
inline constexpr std::size_t kOptionGroupCount = 4;

// Ordered by number: CheckN is at index N - 1, and likewise for the other tables.
inline constexpr std::array<CheckBoxRow, kCheckBoxCount> kCheckBoxes{{
    {"Check1", "Disable color 0 modifications in 256 color modes", {OptionTab::Video, 2, 0}, false, " -0", 1},
    {"Check2", "Player 1 input Device:", {OptionTab::SoundControls, 0, 0}, false, "", 0},
    {"Check3", "Player 2 input Device:", {OptionTab::SoundControls, 0, 1}, false, "", 0},
    {"Check4", "Disable SPC700 speedhack", {OptionTab::SoundControls, 5, 0}, false, " -7", 2},
    {"Check5", "Force 8-bit sound", {OptionTab::SoundControls, 2, 0}, false, " -8", 3},
    {"Check6", "Off by 1 line fix", {OptionTab::Video, 1, 0}, false, " -9", 4},
    {"Check7", "Turn on auto frame skip", {OptionTab::Video, 3, 0}, false, " -a", 5},
    {"Check8",
     "Scale to fit screen (320x240 VESA2/640x480 VESA2)",
     {OptionTab::Video, 4, 0},
     false,
     " -c",
     6},
    {"Check9",
     "Remove Background Color in 256 color video modes",
     {OptionTab::Video, 5, 0},
     false,
     " -cb",
     7},
    {"Check10",
     "No image scale and center image in screen (640x480 VESA2)",
     {OptionTab::Video, 6, 0},
     false,
     " -cc",
     8},
    {"Check11", "Start with debugger", {OptionTab::Misc, 0, 0}, false, " -d", 9},
    {"Check12", "Disable sound DSP", {OptionTab::SoundControls, 3, 0}, false, " -dd", 10},
    {"Check13", "Skip enter key press at the beginning", {OptionTab::Misc, 1, 0}, false, " -e", 11},
    {"Check14", "Turn on frame skip [0-9]", {OptionTab::Video, 7, 0}, false, "", 0},
    {"Check15", "Set Gamma Correction [0-5, 0=Normal]", {OptionTab::Video, 8, 0}, false, "", 0},
    {"Check16", "Force HiROM", {OptionTab::Misc, 3, 0}, false, " -h", 14},
    {"Check17", "Uninterleave ROM image", {OptionTab::Misc, 4, 0}, false, " -i", 15},
    {"Check18", "Disable mouse (Turns off right mouse click)", {OptionTab::Misc, 5, 0}, false, " -j", 16},
    {"Check19", "Set Volume level [0-100]", {OptionTab::SoundControls, 4, 0}, false, "", 0},
    {"Check20", "Enable FPU Copy", {OptionTab::Misc, 6, 0}, false, " -o", 18},
    {"Check21", "Enable MMX copy", {OptionTab::Misc, 7, 0}, false, " -om", 19},
    {"Check22", "Percentage of instructions to execute [50-120]", {OptionTab::Misc, 8, 0}, false, "", 0},
    {"Check23", "Sound Blaster sampling rate and bit:", {OptionTab::SoundControls, 1, 0}, false, "", 0},
    {"Check24", "EnableSPC700/DSP emulation (sound)", {OptionTab::SoundControls, 6, 0}, false, " -s", 27},
    {"Check25", "Show all file extensions in gui (*.*)", {OptionTab::Misc, 9, 0}, false, " -sa", 28},
    {"Check26", "Enable snowy gui background", {OptionTab::Misc, 10, 0}, false, " -sn", 29},
    {"Check27", "Force NTSC timing", {OptionTab::Misc, 11, 0}, false, " -t", 30},
    {"Check28", "Force PAL timing", {OptionTab::Misc, 12, 0}, false, " -u", 31},
    {"Check29", "Video Mode:", {OptionTab::Video, 0, 0}, false, "", 0},
    {"Check30", "Enable VSYNC", {OptionTab::Video, 9, 0}, false, " -w", 43},
    {"Check31", "Enable LoROM", {OptionTab::Misc, 2, 0}, false, " -l", 44},
    {"Check32", "Disable GUI", {OptionTab::Misc, 13, 0}, false, " -m", 45},
    {"Check33", "Turn on Scanlines (256x256 or 640x480)", {OptionTab::Video, 10, 0}, false, " -n", 46},
    {"Check34", "Enable EAGLE (640x480x256)", {OptionTab::Video, 11, 0}, false, " -y", 47},
    {"Check35", "Enable Interpolation (640x480x65536)", {OptionTab::Video, 12, 0}, false, " -y", 47},
    {"Check36", "Mivo minimizes into system tray", {OptionTab::Misc, 14, 0}, true, "", 0, true},
    {"Check37", "Mivo icon in system tray", {OptionTab::Misc, 15, 0}, true, "", 0},
}};

inline constexpr std::array<OptionButtonRow, kOptionButtonCount> kOptionButtons{{
    {"Option1", "None", OptionGroup::Player1, 0, 0, false, " -1 0", 48},
    {"Option2", "Keyboard", OptionGroup::Player1, 1, 0, false, " -1 1", 49},
    {"Option3", "2 Button", OptionGroup::Player1, 2, 0, false, " -1 2", 50},
    {"Option4", "Gamepad", OptionGroup::Player1, 0, 1, false, " -1 3", 51},
    {"Option5", "4 Button", OptionGroup::Player1, 1, 1, false, " -1 4", 52},
    {"Option6", "6 Buton", OptionGroup::Player1, 2, 1, false, " -1 5", 53},
    {"Option7", "Sidewinder", OptionGroup::Player1, 3, 0, true, " -1 6", 54},
    {"Option8", "Sidewinder", OptionGroup::Player2, 3, 0, true, " -2 6", 61},
    {"Option9", "6 Buton", OptionGroup::Player2, 2, 1, false, " -2 5", 60},
    {"Option10", "4 Button", OptionGroup::Player2, 1, 1, false, " -2 4", 59},
    {"Option11", "Gamepad", OptionGroup::Player2, 0, 1, false, " -2 3", 58},
    {"Option12", "2 Button", OptionGroup::Player2, 2, 0, false, " -2 2", 57},
    {"Option13", "Keyboard", OptionGroup::Player2, 1, 0, false, " -2 1", 56},
    {"Option14", "None", OptionGroup::Player2, 0, 0, false, " -2 0", 55},
    {"Option15", "8000Hz", OptionGroup::SampleRate, 0, 0, false, " -r 0", 21},
    {"Option16", "11025Hz", OptionGroup::SampleRate, 0, 1, false, " -r 1", 22},
    {"Option17", "22050Hz", OptionGroup::SampleRate, 0, 2, false, " -r 2", 23},
    {"Option18", "44100Hz", OptionGroup::SampleRate, 1, 0, false, " -r 3", 24},
    {"Option19", "16000Hz", OptionGroup::SampleRate, 1, 1, false, " -r 4", 25},
    {"Option20", "32000Hz", OptionGroup::SampleRate, 1, 2, false, " -r 5", 26},
    {"Option21", "320x240x256", OptionGroup::VideoMode, 0, 0, false, " -v 0", 32},
    {"Option22", "256x256x256", OptionGroup::VideoMode, 0, 1, false, " -v 1", 33},
    {"Option23", "320x240x256(VESA2)", OptionGroup::VideoMode, 1, 0, false, " -v 2", 34},
    {"Option24", "320x240x16b(VESA2)", OptionGroup::VideoMode, 1, 1, false, " -v 3", 35},
    {"Option25", "640x480x256(VESA2)", OptionGroup::VideoMode, 2, 0, false, " -v 4", 36},
    {"Option26", "640x480x16b(VESA2)", OptionGroup::VideoMode, 2, 1, false, " -v 5", 37},
    {"Option27", "512x384x256(VESA2)", OptionGroup::VideoMode, 3, 0, false, " -v 6", 38},
    {"Option28", "512x384x16b(VESA2)", OptionGroup::VideoMode, 3, 1, false, " -v 7", 39},
    {"Option29", "640x480x16b(VESA1.2)", OptionGroup::VideoMode, 4, 0, false, " -v 8", 40},
    {"Option30", "320x480x256(VESA2)", OptionGroup::VideoMode, 4, 1, false, " -v 9", 41},
    {"Option31", "320x480x65536(VESA2)", OptionGroup::VideoMode, 5, 0, true, " -v 10", 42},
}};

inline constexpr std::array<NumberFieldRow, kNumberFieldCount> kNumberFields{{
    {"Text1", 14, "Label2", "0", "0", 0.0, 9.0, "9", " -f ", 12},
    {"Text2", 15, "Label3", "0", "0", 0.0, 5.0, "5", " -g ", 13},
    {"Text3", 19, "Label4", "0", "0", 0.0, 100.0, "100", " -k ", 17},
    {"Text4", 22, "Label5", "50", "50", 50.0, 120.0, "120", " -p ", 20},
}};

inline constexpr std::array<OptionGroupRow, kOptionGroupCount> kOptionGroups{{
    {OptionGroup::Player1, "Frame1", 2, 1, {OptionTab::SoundControls, 0, 0}, 2},
    {OptionGroup::Player2, "Frame2", 3, 14, {OptionTab::SoundControls, 0, 1}, 2},
    {OptionGroup::SampleRate, "Frame3", 23, 17, {OptionTab::SoundControls, 1, 0}, 3},
    {OptionGroup::VideoMode, "Frame4", 29, 21, {OptionTab::Video, 0, 0}, 2},
}};

// The two tray preferences, which the window itself acts on rather than the command line.
inline constexpr int kMinimizeToTrayCheck = 36;
inline constexpr int kIconInTrayCheck = 37;

constexpr std::size_t checkIndex(int number) {
    return static_cast<std::size_t>(number - 1);
}
constexpr std::size_t optionIndex(int number) {
    return static_cast<std::size_t>(number - 1);
}

const OptionGroupRow& groupRow(OptionGroup group);

// A catalogue text as Qt holds it; the catalogue is plain ASCII.
inline QString catalogueText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The frame or number field a check box heads, if any.
std::optional<std::size_t> groupHeadedBy(std::size_t checkBox);
std::optional<std::size_t> numberFieldHeadedBy(std::size_t checkBox);

} // namespace mivo
