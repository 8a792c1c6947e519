#include "app/colorcodes.h"

#include <algorithm>
#include <array>

namespace ColorCodes {
namespace {

// Values are written 0xBBGGRR, so that they read like the colour codes.
constexpr std::array<NamedColor, 50> kDefaultList{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clActiveBorder", systemCode(10)},
    {"clActiveCaption", systemCode(2)},
    {"clAppWorkSpace", systemCode(12)},
    {"clBackground", systemCode(1)},
    {"clBtnFace", systemCode(15)},
    {"clBtnHighlight", systemCode(20)},
    {"clBtnShadow", systemCode(16)},
    {"clBtnText", systemCode(18)},
    {"clCaptionText", systemCode(9)},
    {"clGradientActiveCaption", systemCode(27)},
    {"clGradientInactiveCaption", systemCode(28)},
    {"clGrayText", systemCode(17)},
    {"clHighlight", systemCode(13)},
    {"clHighlightText", systemCode(14)},
    {"clHotLight", systemCode(26)},
    {"clInactiveBorder", systemCode(11)},
    {"clInactiveCaption", systemCode(3)},
    {"clInactiveCaptionText", systemCode(19)},
    {"clInfoBk", systemCode(24)},
    {"clInfoText", systemCode(23)},
    {"clMenu", systemCode(4)},
    {"clMenuBar", systemCode(30)},
    {"clMenuHighlight", systemCode(29)},
    {"clMenuText", systemCode(7)},
    {"clScrollBar", systemCode(0)},
    {"cl3DDkShadow", systemCode(21)},
    {"cl3DLight", systemCode(22)},
    {"clWindow", systemCode(5)},
    {"clWindowFrame", systemCode(6)},
    {"clWindowText", systemCode(8)},
}};

} // namespace

std::span<const NamedColor> defaultList()
{
    return kDefaultList;
}

std::optional<std::size_t> indexOf(std::int32_t code)
{
    auto it = std::find_if(kDefaultList.begin(), kDefaultList.end(),
                           [code](const NamedColor& c) { return c.code == code; });
    if (it == kDefaultList.end())
        return std::nullopt;
    return std::size_t(it - kDefaultList.begin());
}

} // namespace ColorCodes
