// SPDX-License-Identifier: LGPL-2.1-or-later
// The widget and image helpers.
#include <MavLibrary/services/imageutilities.h>
#include <MavLibrary/services/qtutilities.h>

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTest>

using Quorvex::ImageUtilities;
using Quorvex::QtUtilities;

namespace {

const QString longText = QStringLiteral("The quick brown fox jumps over the lazy dog");

// A font size in points, or in pixels when negative.
QFont fontOfSize(int size)
{
    QFont font = QApplication::font();
    size > 0 ? font.setPointSize(size) : font.setPixelSize(-size);
    return font;
}

// The width at which the text just fits in that size, with margins of 10.
int fitting(int size)
{
    return QFontMetrics(fontOfSize(size)).horizontalAdvance(longText) + 20;
}

} // namespace

class tst_QtUtilities : public QObject
{
    Q_OBJECT

private slots:
    void fitText_data();
    void fitText();
    void ensureMinimumSize_data();
    void ensureMinimumSize();
    void maskFromAlphaChannel_data();
    void maskFromAlphaChannel();
};

void tst_QtUtilities::fitText_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("size"); // of the widget's font; negative: pixels
    QTest::addColumn<int>("width"); // of the widget
    QTest::addColumn<int>("startSize"); // "size" only
    QTest::addColumn<int>("minimum"); // in points; the minimum pixel size is twice that
    QTest::addColumn<int>("expected");

    const int wide = fitting(40);
    QTest::newRow("fits") << "shrink" << 12 << wide << 0 << 6 << 12;
    QTest::newRow("shrinks to fit") << "shrink" << 20 << fitting(11) << 0 << 6 << 11;
    QTest::newRow("stops at minimum") << "shrink" << 20 << 10 << 0 << 9 << 9;
    QTest::newRow("minimum 0 stops at 1") << "shrink" << 3 << 0 << 0 << 0 << 1;
    QTest::newRow("sized up from 8 to 12") << "size" << 8 << wide << 12 << 6 << 12;
    QTest::newRow("sized to 12, shrunk to 10") << "size" << 8 << fitting(10) << 12 << 6 << 10;
    QTest::newRow("button in points") << "button" << 20 << 10 << 0 << 6 << 6;
    QTest::newRow("button in pixels") << "button" << -30 << fitting(-17) << 0 << 6 << -17;
    QTest::newRow("button at minimum pixels") << "button" << -30 << 10 << 0 << 6 << -12;
}

void tst_QtUtilities::fitText()
{
    QFETCH(QString, operation);
    QFETCH(int, size);
    QFETCH(int, width);
    QFETCH(int, startSize);
    QFETCH(int, minimum);
    QFETCH(int, expected);
    // Qt warns of every size below 1 it is asked for.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    QLabel label(longText);
    QPushButton button(longText);
    QWidget *widget =
        operation == QLatin1String("button") ? static_cast<QWidget *>(&button) : &label;
    widget->setFont(fontOfSize(size));
    widget->setAttribute(Qt::WA_SetFont, false);
    widget->resize(width, 30);

    if (operation == QLatin1String("shrink"))
        QtUtilities::shrinkQLabelFontSizeToFitText(&label, 10, 10, minimum);
    else if (operation == QLatin1String("size"))
        QtUtilities::sizeQLabelFontSizeToFitText(&label, 10, 10, startSize, minimum);
    else
        QtUtilities::shrinkQAbstractButtonFontSizeToFitText(&button, 10, 10, minimum, 2 * minimum);

    const QFont font = widget->font();
    QCOMPARE(expected > 0 ? font.pointSize() : -font.pixelSize(), expected);
    QCOMPARE(expected > 0 ? font.pixelSize() : font.pointSize(), -1);
    // A text that fits leaves the font alone.
    QCOMPARE(widget->testAttribute(Qt::WA_SetFont), expected != size);
}

void tst_QtUtilities::ensureMinimumSize_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("grid") << "grid";
    QTest::newRow("box layout") << "box";
    QTest::newRow("no layout") << "";
}

// Every call adds a spacer row below the last, across all columns.
void tst_QtUtilities::ensureMinimumSize()
{
    QFETCH(QString, layout);
    QWidget widget;
    if (layout == QLatin1String("grid")) {
        auto *grid = new QGridLayout(&widget);
        grid->addWidget(new QLabel, 1, 2);
    } else if (layout == QLatin1String("box")) {
        new QVBoxLayout(&widget);
    }
    QtUtilities::ensureMinimumSizeOfWidget(&widget, 200, 100);
    QtUtilities::ensureMinimumSizeOfWidget(&widget, 201, 100);

    auto *grid = qobject_cast<QGridLayout *>(widget.layout());
    if (!grid) {
        QCOMPARE(widget.layout() ? widget.layout()->count() : 0, 0);
        return;
    }
    QCOMPARE(grid->rowCount(), 4);
    for (int row : {2, 3}) {
        QLayoutItem *item = grid->itemAtPosition(row, 0);
        QVERIFY(item && item->spacerItem());
        QCOMPARE(item->sizeHint(), QSize(198 + row, 100));
        QCOMPARE(item->expandingDirections(), Qt::Vertical);
        int r, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(item), &r, &column, &rowSpan, &columnSpan);
        QCOMPARE(QList<int>({rowSpan, columnSpan}), QList<int>({1, 3}));
    }
}

void tst_QtUtilities::maskFromAlphaChannel_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QRegion>("expected");

    // 19 pixels wide: two whole bytes of the mask and a partial one.
    QImage pattern(19, 5, QImage::Format_ARGB32);
    for (int y = 0; y < pattern.height(); ++y) {
        for (int x = 0; x < pattern.width(); ++x)
            pattern.setPixel(x, y, qRgba(10, 20, 30, (x * 37 + y * 11) % 256));
    }
    const auto pixelsFrom = [&pattern](int threshold) {
        QRegion region;
        for (int y = 0; y < pattern.height(); ++y) {
            for (int x = 0; x < pattern.width(); ++x) {
                if (qAlpha(pattern.pixel(x, y)) >= threshold)
                    region += QRect(x, y, 1, 1);
            }
        }
        return region;
    };
    const QRegion whole(pattern.rect());
    for (int threshold : {0, 1, 128, 200, 255})
        QTest::addRow("threshold %d", threshold) << pattern << threshold << pixelsFrom(threshold);
    QTest::newRow("premultiplied")
        << pattern.convertToFormat(QImage::Format_ARGB32_Premultiplied) << 128 << pixelsFrom(128);
    QTest::newRow("24-bit") << pattern.convertToFormat(QImage::Format_RGB888) << 255 << whole;
    QTest::newRow("32-bit without alpha")
        << pattern.convertToFormat(QImage::Format_RGB32) << 255 << whole;

    QImage exact(3, 1, QImage::Format_ARGB32);
    exact.setPixel(0, 0, qRgba(0, 0, 0, 127));
    exact.setPixel(1, 0, qRgba(0, 0, 0, 128));
    exact.setPixel(2, 0, qRgba(0, 0, 0, 129));
    QTest::newRow("alpha at the threshold") << exact << 128 << QRegion(1, 0, 2, 1);
    QTest::newRow("empty image") << QImage() << 0 << QRegion();
}

void tst_QtUtilities::maskFromAlphaChannel()
{
    QFETCH(QImage, image);
    QFETCH(int, threshold);
    QFETCH(QRegion, expected);
    QCOMPARE(ImageUtilities::maskFromAlphaChannel(image, uchar(threshold)), expected);
}

QTEST_MAIN(tst_QtUtilities)

#include "tst_qtutilities.moc"
