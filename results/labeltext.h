#pragma once

#include <QLabel>
#include <QString>

// Shows text in label and makes it the label's accessible name, so that a
// screen reader reads what is shown.
inline void ShowLabelText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(text);
}
