// How long the picture worker takes on Windows to read and decode a large JPEG
// for a 1024 x 768 screen: the scene before it must last that long for its
// picture to be ready in time. The same steps as the worker: the first bytes
// and the size, then the decode at a third of the screen's width.
//
//   win32_scene_change_benchmark <photograph.jpg> [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/wic_picture_loader.h"

int main(int argc, char** argv) {
    using namespace almanix;
    if (argc < 2) {
        std::fputs("usage: win32_scene_change_benchmark <photograph.jpg> [rounds]\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ComPointer<IWICImagingFactory> imaging;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(imaging.put()));

    std::vector<double> milliseconds;
    ImageSize shown;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const PictureFacts facts = inspectPicture(imaging.get(), path, 10);
        if (facts.size) shown = {341, static_cast<std::int32_t>(341LL * facts.size->height / facts.size->width)};
        const DecodedPicture picture = decodePicture(imaging.get(), path, shown);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        const auto isBlack = [](std::uint32_t pixel) { return (pixel & 0xFFFFFFu) == 0; };
        if (picture.pixels.empty() || std::all_of(picture.pixels.begin(), picture.pixels.end(), isBlack)) {
            std::fprintf(stderr, "%s was not decoded\n", path.c_str());
            return 1;
        }
        milliseconds.push_back(took.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("picture decoded at %dx%d: fastest %.1f ms, median %.1f ms over %d rounds\n", shown.width, shown.height,
                milliseconds.front(), milliseconds[milliseconds.size() / 2], rounds);
    return 0;
}
