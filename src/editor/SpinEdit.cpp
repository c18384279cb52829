#include "editor/SpinEdit.h"

#include <algorithm>

namespace tarvix {

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAccelerated(true);
}

int TSpinEdit::ValueOfText(const QString& text) const
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::clamp(v, minimum(), maximum()) : minimum();
}

// Everything may be typed; the value is clamped from the text, and the text is rewritten when the field
// loses the focus or Enter is pressed.
QValidator::State TSpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

int TSpinEdit::valueFromText(const QString& text) const
{
    return ValueOfText(text);
}

void TSpinEdit::fixup(QString& input) const
{
    input = QString::number(ValueOfText(input));
}

} // namespace tarvix
