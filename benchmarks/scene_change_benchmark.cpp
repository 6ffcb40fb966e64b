// How long the picture worker takes to read and decode a 6000 x 4000 JPEG for
// a 1024 x 768 screen: the scene before it must last that long for its
// picture to be ready in time.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "qt/qt_scene_image.h"

namespace {

using namespace almanix;

const std::string kFolder = ALMANIX_BENCHMARK_FOLDER;
const std::string kPhotograph = "photograph-6000x4000.jpg";

// A plasma cloud compresses about as well as a photograph does.
bool makePhotograph() {
    const std::string path = kFolder + kPhotograph;
    if (std::filesystem::exists(path)) return true;
    std::filesystem::create_directories(kFolder);
    std::fprintf(stderr, "making %s (about 15 seconds, once)\n", path.c_str());
    const std::string command = "/usr/bin/convert -size 6000x4000 plasma:fractal -quality 90 'JPEG:" + path +
                                ".part' && mv '" + path + ".part' '" + path + "'";
    return std::system(command.c_str()) == 0;
}

// The worker's whole job, as the saver asks it: the first bytes and the size,
// then the decode at 341 x 227, a third of the screen's width.
void pictureScene(benchmark::State& state) {
    const std::string path = kFolder + kPhotograph;
    for (auto _ : state) {
        const PictureFacts facts = inspectPicture(path, 10);
        const QImage shown = decodePicture(path, {341, 227});
        if (!facts.size || shown.width() != 341) state.SkipWithError("the photograph was not decoded");
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(pictureScene)->Unit(benchmark::kMillisecond)->MinTime(3);

// For comparison: decoding the photograph at full size first, then shrinking it.
void fullDecodeThenShrink(benchmark::State& state) {
    const QString path = QString::fromStdString(kFolder + kPhotograph);
    for (auto _ : state) {
        QImageReader reader(path);
        const QImage full = reader.read();
        const QImage shown = full.scaled(341, 227);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(fullDecodeThenShrink)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (!makePhotograph()) {
        std::fputs("could not make the photograph with ImageMagick's convert\n", stderr);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
