// SPDX-License-Identifier: LGPL-2.1-or-later
// The widget and image helpers: a window shape from a full-HD alpha channel against
// Qt's own alpha mask, and the font fitting of a label against the bare measuring
// that every step needs. Runs on the offscreen platform unless told otherwise.
#include <MavLibrary/services/imageutilities.h>
#include <MavLibrary/services/qtutilities.h>

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include <benchmark/benchmark.h>

using Quorvex::ImageUtilities;
using Quorvex::QtUtilities;

namespace {

// A skinned window's shape: an opaque ellipse with a soft edge on a clear ground.
QImage windowShape()
{
    QImage image(1920, 1080, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 80, 120));
    painter.drawEllipse(QRectF(image.rect()).adjusted(8, 8, -8, -8));
    return image;
}

void mask_ours(benchmark::State &state)
{
    const QImage image = windowShape();
    const QRegion qtRegion(QBitmap::fromImage(image.createAlphaMask()));
    const QRegion region = ImageUtilities::maskFromAlphaChannel(image, 128);
    state.SetLabel(region == qtRegion ? "same region as Qt's" : "region differs from Qt's");
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageUtilities::maskFromAlphaChannel(image, 128));
}

void mask_qtAlphaMask(benchmark::State &state)
{
    const QImage image = windowShape();
    for (auto _ : state)
        benchmark::DoNotOptimize(QRegion(QBitmap::fromImage(image.createAlphaMask())));
}

const QString longText = QStringLiteral(
    "Now playing: a rather long title of a film, with its year, its director and its cast");
constexpr int startSize = 72;
constexpr int minimumSize = 8;

// Every step from 72 to 8 points: the label is too narrow for any of them.
void shrinkLabel_ours(benchmark::State &state)
{
    QLabel label(longText);
    label.resize(40, 20);
    QFont font = label.font();
    for (auto _ : state) {
        state.PauseTiming();
        font.setPointSize(startSize);
        label.setFont(font);
        state.ResumeTiming();
        QtUtilities::shrinkQLabelFontSizeToFitText(&label, 2, 2, minimumSize);
    }
    state.SetItemsProcessed(state.iterations() * (startSize - minimumSize));
}

// The measuring alone: a font and its metrics for every size, no widget touched.
void shrinkLabel_measureOnly(benchmark::State &state)
{
    QLabel label(longText);
    QFont font = label.font();
    for (auto _ : state) {
        for (int size = startSize; size > minimumSize;) {
            font.setPointSize(--size);
            benchmark::DoNotOptimize(QFontMetrics(font).horizontalAdvance(longText));
        }
    }
    state.SetItemsProcessed(state.iterations() * (startSize - minimumSize));
}

} // namespace

BENCHMARK(mask_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(mask_qtAlphaMask)->Unit(benchmark::kMillisecond);
BENCHMARK(shrinkLabel_ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(shrinkLabel_measureOnly)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
