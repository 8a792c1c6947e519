#pragma once

#include <QColor>
#include <QComboBox>
#include <cstdint>

// The desktop colour a colour code stands for: plain codes by their RGB
// bytes, system colours by the matching role of the application palette.
QColor colorFromCode(std::int32_t code);

// The chart colour box: the default named colours with a swatch each. A code
// that is none of them is shown as one extra custom entry and kept as it is.
class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorComboBox(QWidget* parent = nullptr);

    std::int32_t selectedCode() const;
    void selectCode(std::int32_t code);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addColorItem(const QString& name, std::int32_t code);
    int m_customIndex = -1;
};
