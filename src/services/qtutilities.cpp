// SPDX-License-Identifier: LGPL-2.1-or-later
#include "qtutilities.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QSpacerItem>

#include <algorithm>

namespace Quorvex {

namespace {

enum class Unit { Points, Pixels };

// Lowers the size of `font` by one at a time, setting each step on the widget,
// until `text` fits the widget's width less the margins or the size reaches the
// minimum. Qt ignores sizes below 1, so a lower minimum would only spin.
void shrinkToFit(QWidget *widget, const QString &text, int leftMargin, int rightMargin, QFont font,
                 Unit unit, int minimumSize)
{
    const int available = widget->width() - leftMargin - rightMargin;
    const int floor = std::max(minimumSize, 1);
    int size = unit == Unit::Points ? font.pointSize() : font.pixelSize();
    QFontMetrics metrics(font);
    while (metrics.horizontalAdvance(text) > available && size > floor) {
        --size;
        if (unit == Unit::Points)
            font.setPointSize(size);
        else
            font.setPixelSize(size);
        metrics = QFontMetrics(font);
        widget->setFont(font);
    }
}

} // namespace

void QtUtilities::sizeQLabelFontSizeToFitText(QLabel *label, int leftMargin, int rightMargin,
                                              int startPointSize, int minimumPointSize)
{
    if (!label)
        return;
    QFont font = label->font();
    if (font.pointSize() < startPointSize) {
        font.setPointSize(startPointSize);
        label->setFont(font);
    }
    shrinkToFit(label, label->text(), leftMargin, rightMargin, font, Unit::Points,
                minimumPointSize);
}

void QtUtilities::shrinkQLabelFontSizeToFitText(QLabel *label, int leftMargin, int rightMargin,
                                                int minimumPointSize)
{
    if (label)
        shrinkToFit(label, label->text(), leftMargin, rightMargin, label->font(), Unit::Points,
                    minimumPointSize);
}

void QtUtilities::shrinkQAbstractButtonFontSizeToFitText(QAbstractButton *button, int leftMargin,
                                                         int rightMargin, int minimumPointSize,
                                                         int minimumPixelSize)
{
    if (!button)
        return;
    const QFont font = button->font();
    if (font.pointSize() != -1)
        shrinkToFit(button, button->text(), leftMargin, rightMargin, font, Unit::Points,
                    minimumPointSize);
    else if (font.pixelSize() != -1)
        shrinkToFit(button, button->text(), leftMargin, rightMargin, font, Unit::Pixels,
                    minimumPixelSize);
}

void QtUtilities::ensureMinimumSizeOfWidget(QWidget *widget, int width, int height)
{
    auto *grid = widget ? qobject_cast<QGridLayout *>(widget->layout()) : nullptr;
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(width, height, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount(), Qt::Alignment());
}

} // namespace Quorvex
