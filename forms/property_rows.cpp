#include "forms/property_rows.h"

namespace qel {

namespace {

using P = PropertyId;
using E = EditorKind;
using C = ChoiceListKind;

constexpr std::string_view kBackgroundHelp = "Background colour as Red,Green,Blue values in the range 0-255";
constexpr std::string_view kForegroundHelp = "Foreground colour as Red,Green,Blue values in the range 0-255";

// The rows as the designer defines them; the per-type lists pick from these.
constexpr PropertyRow kName{"Name", P::Name, E::Edit, C::FreeText,
                            "Name of the object as far as the Forms designer is concerned"};
constexpr PropertyRow kCaption{"Caption", P::Caption, E::Edit, C::FreeText, "Text to display"};
constexpr PropertyRow kDefaultValue{"Default Value", P::Caption, E::Edit, C::FreeText,
                                    "Value to display in the control"};
constexpr PropertyRow kCheckDefaultValue{kDefaultValue.label, P::Caption, E::List, C::TrueFalse, kDefaultValue.help};
constexpr PropertyRow kDefaultData{"Default Data", P::Caption2, E::Edit, C::FreeText,
                                   "Hidden data values, associated with shown values."};
constexpr PropertyRow kImageFile{"Image file", P::Caption, E::BitmapFile, C::FreeText,
                                 "Name of the image file, it must be a 24bit .bmp file."};
constexpr PropertyRow kVisible{"Visible", P::Visible, E::List, C::TrueFalse, "Display or hide the object", 0, 0, true};
constexpr PropertyRow kLocked{"Locked", P::Locked, E::List, C::TrueFalse, "Allow the user to change the contents",
                              0,        0,         true};
constexpr PropertyRow kSunken{"Sunken", P::Sunken, E::List, C::SunkenFlat, "Display the control as sunken or flat",
                              0,        0,         true};
constexpr PropertyRow kDropdownList{"Dropdown List",
                                    P::V1Style,
                                    E::List,
                                    C::TrueFalse,
                                    "A Dropdown List can not have values typed into it",
                                    0,
                                    0,
                                    true};
constexpr PropertyRow kTextAlignment{"Text Alignment",
                                     P::TextAlign,
                                     E::List,
                                     C::Alignments,
                                     "Align the text to the left, right or centre of its rectangle",
                                     0,
                                     0,
                                     true};
constexpr PropertyRow kFontName{
    "Font Name", P::TextFontName, E::List, C::FontNames, "Name of typeface to display the text in", 0, 0, true};
constexpr PropertyRow kFontStyle{
    "Font Sytle", P::TextBold, E::List, C::FontStyles, "Use bold and italics for the text", 0, 0, true};
constexpr PropertyRow kSize{"Size (0-72)", P::TextSize, E::Edit, C::Digits, "Size of typeface in points (6-72)", 6, 72,
                            true};
constexpr PropertyRow kBorderColour{"Border Colour",
                                    P::BorderColour,
                                    E::Colour,
                                    C::FreeText,
                                    "Border colour as Red,Green,Blue values in the range 0-255",
                                    0,
                                    0,
                                    true};
constexpr PropertyRow kBorderStyle{"Border Style",
                                   P::BorderStyle,
                                   E::List,
                                   C::BorderStyles,
                                   "Style for the line that makes up the border of the object",
                                   0,
                                   0,
                                   true};
constexpr PropertyRow kBackgroundColour{"Background Colour", P::BGColour, E::Colour, C::FreeText,
                                        kBackgroundHelp,     0,           0,         true};
constexpr PropertyRow kForegroundColour{"Foreground Colour", P::FGColour, E::Colour, C::FreeText,
                                        kForegroundHelp,     0,           0,         true};
constexpr PropertyRow kTextColour{"Text Colour", P::FGColour, E::Colour, C::FreeText, kForegroundHelp, 0, 0, true};
constexpr PropertyRow kLineColour{"Line Colour", P::FGColour, E::Colour, C::FreeText, kForegroundHelp, 0, 0, true};
constexpr PropertyRow kLineBackground{
    "Line Background (non solid)", P::BGColour, E::Colour, C::FreeText, kBackgroundHelp, 0, 0, true};
constexpr PropertyRow kFillStyle{"Fill Style",
                                 P::FillStyle,
                                 E::List,
                                 C::FillStyles,
                                 "Fill the object with the specified colour or make it transparent",
                                 0,
                                 0,
                                 true};
constexpr PropertyRow kLineStyle{"Line Style", P::FillStyle, E::List, C::LineStyles, "Line style", 0, 0, true};
constexpr PropertyRow kLineDirection{
    "Line Direction", P::BorderStyle, E::List, C::LineDirections, "Vertical or horizontal line", 0, 0, true};
constexpr PropertyRow kZOrder{
    "Z-Order (1[Top]-5)", P::ZOrder, E::Edit, C::Digits, "Order of overlaying, 1 topmost, 5 bottommost", 1, 5, true};
constexpr PropertyRow kPositionX{
    "Position X (pixels)", P::OffsetX, E::Edit, C::Digits, "X point for the top left of the object", 0, 2048};
constexpr PropertyRow kPositionY{
    "Position Y (pixels)", P::OffsetY, E::Edit, C::Digits, "Y point for the top left of the object", 0, 2048};
constexpr PropertyRow kHeight{"Height (pixels)", P::Height, E::Edit, C::Digits, "Height in pixels", 5, 2048, true};
constexpr PropertyRow kWidth{"Width (pixels)", P::Width, E::Edit, C::Digits, "Width in pixels", 5, 2048, true};
constexpr PropertyRow kFormHeight{kHeight.label, P::Height, E::Edit, C::Digits, kHeight.help, 50, 2048, true};
constexpr PropertyRow kFormWidth{kWidth.label, P::Width, E::Edit, C::Digits, kWidth.help, 50, 2048, true};
constexpr PropertyRow kDropHeight{"Drop Height (pixels)",         P::Height2, E::Edit, C::Digits,
                                  "Alternative height in pixels", 5,          2048,    true};
constexpr PropertyRow kGridX{
    "Grid X", P::GridX, E::Edit, C::Digits, "X Spacing (in pixels) for the align controls grid", 2, 20};
constexpr PropertyRow kGridY{"Grid Y", P::GridY, E::Edit, C::Digits, "Y Spacing for the align controls grid", 2, 20};
constexpr PropertyRow kOnOpen{"OnOpen", P::OnOpen, E::Edit, C::FreeText,
                              "An ORX function to call when the object is opened, but before it is displayed"};
constexpr PropertyRow kOnClose{"OnClose", P::OnClose, E::Edit, C::FreeText,
                               "An ORX function to call before the object is closed"};
constexpr PropertyRow kOnClick{"OnClick", P::OnClick, E::Edit, C::FreeText,
                               "An ORX function to call when the object is clicked on"};
constexpr PropertyRow kOnChange{"OnChange", P::OnChange, E::Edit, C::FreeText,
                                "Called when the user enters something into a control"};
constexpr PropertyRow kOnSelected{"OnSelected", P::OnSelected, E::Edit, C::FreeText,
                                  "Called whn the user selects something from a list"};

constexpr std::string_view kFillStyles[] = {"Transparent", "Opaque"};
constexpr std::string_view kTrueFalse[] = {"True", "False"};
constexpr std::string_view kFontStyles[] = {"Normal", "Bold", "Italic", "Bold+Italic"};
constexpr std::string_view kAlignments[] = {"Left", "Centre", "Right"};
constexpr std::string_view kSunkenFlat[] = {"Sunken", "Flat"};
constexpr std::string_view kLineStyles[] = {"Solid", "Dash", "Dot", "DashDot"};
constexpr std::string_view kLineDirections[] = {"\\", "/"};

std::vector<PropertyRow> propertiesPage(int16_t type)
{
    using namespace object_type;
    switch (type) {
    case kForm: return {kName, kCaption, kBackgroundColour, kForegroundColour, kGridX, kGridY, kFormHeight, kFormWidth};
    case kButton: return {kName, kCaption, kVisible, kLocked, kPositionX, kPositionY, kHeight, kWidth};
    case kCheckBox:
        return {kName, kCheckDefaultValue, kVisible, kLocked, kSunken, kPositionX, kPositionY, kHeight, kWidth};
    case kComboBox:
        return {kName,      kDefaultValue, kDefaultData, kVisible, kLocked,    kDropdownList,
                kPositionX, kPositionY,    kHeight,      kWidth,   kDropHeight};
    case kEdit:
        return {kName,          kDefaultValue, kVisible,   kLocked, kSunken,
                kTextAlignment, kPositionX,    kPositionY, kHeight, kWidth};
    case kStaticText:
        return {kName,         kCaption,     kFontName,         kFontStyle,  kTextAlignment, kSize,
                kBorderColour, kBorderStyle, kBackgroundColour, kTextColour, kFillStyle,     kVisible,
                kZOrder,       kPositionX,   kPositionY,        kHeight,     kWidth};
    case kImage:
        return {kName,   kImageFile, kBorderColour, kBorderStyle, kVisible,
                kZOrder, kPositionX, kPositionY,    kHeight,      kWidth};
    case kLine:
        return {kName,   kLineColour, kLineBackground, kLineStyle, kLineDirection, kVisible,
                kZOrder, kPositionX,  kPositionY,      kHeight,    kWidth};
    case kRectangle:
        return {kName,   kBackgroundColour, kBorderColour, kFillStyle, kVisible,
                kZOrder, kPositionX,        kPositionY,    kHeight,    kWidth};
    default: return {};
    }
}

std::vector<PropertyRow> eventsPage(int16_t type)
{
    using namespace object_type;
    switch (type) {
    case kForm: return {kOnOpen, kOnClose};
    case kButton:
    case kCheckBox: return {kOnClick};
    case kComboBox: return {kOnChange, kOnSelected};
    default: return {};
    }
}

} // namespace

std::vector<PropertyRow> propertyRows(int16_t type, PropertyPage page)
{
    return page == PropertyPage::Properties ? propertiesPage(type) : eventsPage(type);
}

std::span<const std::string_view> choiceList(ChoiceListKind kind)
{
    switch (kind) {
    case C::FillStyles:
    case C::BorderStyles: return kFillStyles;
    case C::TrueFalse: return kTrueFalse;
    case C::FontStyles: return kFontStyles;
    case C::Alignments: return kAlignments;
    case C::SunkenFlat: return kSunkenFlat;
    case C::LineStyles: return kLineStyles;
    case C::LineDirections: return kLineDirections;
    case C::FreeText:
    case C::Digits:
    case C::FontNames: break;
    }
    return {};
}

std::optional<Notice> rangeRefusal(const PropertyRow& row, std::string_view value)
{
    if (!row.isNumeric())
        return std::nullopt;
    const std::optional<int64_t> n = parseDecimal(trimValue(value));
    if (n && *n >= row.low && *n <= row.high)
        return std::nullopt;
    return Notice{kOutOfRange, {std::to_string(row.low), std::to_string(row.high)}};
}

} // namespace qel
