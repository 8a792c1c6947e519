#include "app/colorbox.h"

#include "app/colorcodes.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <algorithm>

namespace {

const QSize kSwatchSize(16, 12);

// Which palette colour stands for each system colour index of the codes.
QColor systemColor(int index)
{
    const QPalette palette = QApplication::palette();
    auto active = [&](QPalette::ColorRole role) { return palette.color(QPalette::Active, role); };
    auto inactive = [&](QPalette::ColorRole role) { return palette.color(QPalette::Inactive, role); };
    switch (index) {
    case 0: return active(QPalette::Mid);               // scroll bar
    case 1: return active(QPalette::Dark);              // desktop background
    case 2: return active(QPalette::Highlight);         // active caption
    case 3: return inactive(QPalette::Highlight);       // inactive caption
    case 4: return active(QPalette::Window);            // menu
    case 5: return active(QPalette::Base);              // window
    case 6: return active(QPalette::Shadow);            // window frame
    case 7: return active(QPalette::WindowText);        // menu text
    case 8: return active(QPalette::Text);              // window text
    case 9: return active(QPalette::HighlightedText);   // caption text
    case 10: return active(QPalette::Window);           // active border
    case 11: return inactive(QPalette::Window);         // inactive border
    case 12: return active(QPalette::Dark);             // application workspace
    case 13: return active(QPalette::Highlight);
    case 14: return active(QPalette::HighlightedText);
    case 15: return active(QPalette::Button);           // button face
    case 16: return active(QPalette::Mid);              // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: return active(QPalette::ButtonText);
    case 19: return inactive(QPalette::HighlightedText); // inactive caption text
    case 20: return active(QPalette::Light);            // button highlight
    case 21: return active(QPalette::Shadow);           // 3D dark shadow
    case 22: return active(QPalette::Midlight);         // 3D light
    case 23: return active(QPalette::ToolTipText);
    case 24: return active(QPalette::ToolTipBase);
    case 26: return active(QPalette::Link);             // hot light
    case 27: return active(QPalette::Highlight).lighter(150);
    case 28: return inactive(QPalette::Highlight).lighter(150);
    case 29: return active(QPalette::Highlight);        // menu highlight
    case 30: return active(QPalette::Window);           // menu bar
    default: return Qt::black;
    }
}

// A one-pixel black frame round the colour. Written pixel by pixel: fifty
// painters cost more than the rest of the box.
QIcon swatch(const QColor& color)
{
    QImage image(kSwatchSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRgb inside = color.rgb();
    for (int y = 1; y < image.height() - 1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + 1, line + image.width() - 1, inside);
    }
    return QIcon(QPixmap::fromImage(std::move(image)));
}

} // namespace

QColor colorFromCode(std::int32_t code)
{
    if (ColorCodes::isSystem(code))
        return systemColor(ColorCodes::systemIndex(code));
    return QColor(ColorCodes::red(code), ColorCodes::green(code), ColorCodes::blue(code));
}

ColorComboBox::ColorComboBox(QWidget* parent) : QComboBox(parent)
{
    for (const auto& named : ColorCodes::defaultList())
        addColorItem(QString::fromLatin1(named.name.data(), qsizetype(named.name.size())), named.code);
    selectCode(ColorCodes::kRed);
}

void ColorComboBox::addColorItem(const QString& name, std::int32_t code)
{
    addItem(swatch(colorFromCode(code)), name, QVariant::fromValue<qint32>(code));
}

void ColorComboBox::showEvent(QShowEvent* event)
{
    // Setting the icon size builds the drop-down list, so it waits until the
    // box is first seen rather than slowing down the window's start.
    if (iconSize() != kSwatchSize)
        setIconSize(kSwatchSize);
    QComboBox::showEvent(event);
}

std::int32_t ColorComboBox::selectedCode() const
{
    const QVariant data = currentData();
    return data.isValid() ? data.value<qint32>() : ColorCodes::kRed;
}

void ColorComboBox::selectCode(std::int32_t code)
{
    if (auto index = ColorCodes::indexOf(code)) {
        setCurrentIndex(int(*index));
        return;
    }
    const QString name = QStringLiteral("Vlastn\u00ed (%1)").arg(code);
    if (m_customIndex < 0) {
        addColorItem(name, code);
        m_customIndex = count() - 1;
    } else {
        setItemText(m_customIndex, name);
        setItemData(m_customIndex, QVariant::fromValue<qint32>(code));
        setItemIcon(m_customIndex, swatch(colorFromCode(code)));
    }
    setCurrentIndex(m_customIndex);
}
