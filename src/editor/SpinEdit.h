#pragma once
// A numeric field that lets the user type freely: any text is accepted while typing, a text that is not an
// integer reads as the minimum, and a value beyond a bound is brought to that bound when it is set and when
// the field loses the focus.
#include <QSpinBox>

namespace tarvix {

class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // The value the current text stands for, clamped; what value() returns too.
    int ValueOfText(const QString& text) const;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};

} // namespace tarvix
