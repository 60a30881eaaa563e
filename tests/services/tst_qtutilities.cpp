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

enum Operation { ShrinkLabel, SizeLabel, ShrinkButton };
enum Unit { Points, Pixels };

int advanceAt(int size, Unit unit)
{
    QFont font = QApplication::font();
    unit == Points ? font.setPointSize(size) : font.setPixelSize(size);
    return QFontMetrics(font).horizontalAdvance(longText);
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
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("unit"); // of the widget's font
    QTest::addColumn<int>("size"); // the widget's font size
    QTest::addColumn<int>("width"); // of the widget
    QTest::addColumn<int>("margins"); // left and right, each
    QTest::addColumn<int>("startSize"); // sizeQLabelFontSizeToFitText only
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("fontSet"); // whether the widget's font was set at all

    const int wide = advanceAt(40, Points);
    QTest::newRow("label fits") << int(ShrinkLabel) << int(Points) << 12 << wide << 0 << 0 << 6
                                << 12 << false;
    QTest::newRow("label shrinks to fit") << int(ShrinkLabel) << int(Points) << 20
                                          << advanceAt(11, Points) << 0 << 0 << 6 << 11 << true;
    QTest::newRow("margins count") << int(ShrinkLabel) << int(Points) << 20
                                   << advanceAt(11, Points) + 20 << 10 << 0 << 6 << 11 << true;
    QTest::newRow("label stops at minimum")
        << int(ShrinkLabel) << int(Points) << 20 << 10 << 0 << 0 << 9 << 9 << true;
    QTest::newRow("minimum 0 stops at 1")
        << int(ShrinkLabel) << int(Points) << 3 << 0 << 0 << 0 << 0 << 1 << true;
    QTest::newRow("label below minimum")
        << int(ShrinkLabel) << int(Points) << 5 << 10 << 0 << 0 << 9 << 5 << false;
    QTest::newRow("sized up from 8 to 12")
        << int(SizeLabel) << int(Points) << 8 << wide << 0 << 12 << 6 << 12 << true;
    QTest::newRow("sized to 12, shrunk to 10")
        << int(SizeLabel) << int(Points) << 8 << advanceAt(10, Points) << 0 << 12 << 6 << 10
        << true;
    QTest::newRow("larger than the start size")
        << int(SizeLabel) << int(Points) << 14 << wide << 0 << 12 << 6 << 14 << false;
    QTest::newRow("button in points") << int(ShrinkButton) << int(Points) << 20
                                      << advanceAt(11, Points) << 0 << 0 << 6 << 11 << true;
    QTest::newRow("button in pixels") << int(ShrinkButton) << int(Pixels) << 30
                                      << advanceAt(17, Pixels) << 0 << 0 << 6 << 17 << true;
    QTest::newRow("button stops at minimum pixels")
        << int(ShrinkButton) << int(Pixels) << 30 << 10 << 0 << 0 << 6 << 12 << true;
}

void tst_QtUtilities::fitText()
{
    QFETCH(int, operation);
    QFETCH(int, unit);
    QFETCH(int, size);
    QFETCH(int, width);
    QFETCH(int, margins);
    QFETCH(int, startSize);
    QFETCH(int, minimum);
    QFETCH(int, expected);
    QFETCH(bool, fontSet);
    // Qt warns of every size below 1 it is asked for.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    QLabel label(longText);
    QPushButton button(longText);
    QWidget *widget = operation == ShrinkButton ? static_cast<QWidget *>(&button) : &label;
    QFont font = QApplication::font();
    unit == Points ? font.setPointSize(size) : font.setPixelSize(size);
    widget->setFont(font);
    widget->setAttribute(Qt::WA_SetFont, false);
    widget->resize(width, 30);

    // The minimum pixel size is twice the minimum point size, to tell them apart.
    if (operation == ShrinkLabel)
        QtUtilities::shrinkQLabelFontSizeToFitText(&label, margins, margins, minimum);
    else if (operation == SizeLabel)
        QtUtilities::sizeQLabelFontSizeToFitText(&label, margins, margins, startSize, minimum);
    else
        QtUtilities::shrinkQAbstractButtonFontSizeToFitText(&button, margins, margins, minimum,
                                                            2 * minimum);

    const QFont result = widget->font();
    QCOMPARE(unit == Points ? result.pointSize() : result.pixelSize(), expected);
    QCOMPARE(unit == Points ? result.pixelSize() : result.pointSize(), -1);
    QCOMPARE(widget->testAttribute(Qt::WA_SetFont), fontSet);
}

void tst_QtUtilities::ensureMinimumSize_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("calls");
    QTest::newRow("grid") << "grid" << 1;
    QTest::newRow("grid, twice") << "grid" << 2;
    QTest::newRow("box layout") << "box" << 1;
    QTest::newRow("no layout") << "" << 1;
}

void tst_QtUtilities::ensureMinimumSize()
{
    QFETCH(QString, layout);
    QFETCH(int, calls);
    QWidget widget;
    if (layout == QLatin1String("grid")) {
        auto *grid = new QGridLayout(&widget);
        grid->addWidget(new QLabel, 0, 0);
        grid->addWidget(new QLabel, 1, 2);
    } else if (layout == QLatin1String("box")) {
        new QVBoxLayout(&widget);
    }
    const int itemsBefore = widget.layout() ? widget.layout()->count() : 0;

    for (int call = 0; call < calls; ++call)
        QtUtilities::ensureMinimumSizeOfWidget(&widget, 200 + call, 100);

    auto *grid = qobject_cast<QGridLayout *>(widget.layout());
    if (!grid) {
        QCOMPARE(widget.layout() ? widget.layout()->count() : 0, itemsBefore);
        return;
    }
    QCOMPARE(grid->rowCount(), 2 + calls);
    for (int call = 0; call < calls; ++call) {
        QLayoutItem *item = grid->itemAtPosition(2 + call, 0);
        QVERIFY(item && item->spacerItem());
        QCOMPARE(item->sizeHint(), QSize(200 + call, 100));
        QCOMPARE(item->expandingDirections(), Qt::Vertical);
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(rowSpan, 1);
        QCOMPARE(columnSpan, 3);
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
