// How long a picture scene takes to begin on Windows with a large JPEG on a
// 1024 x 768 screen: the tick that starts it pauses the motion for that long.
// The same steps as the saver: the name's turn, the kind check, the WIC load
// and the stretch into the moving image.
//
//   win32_scene_change_benchmark <photograph.jpg> [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver/random_source.h"
#include "saver/slideshow.h"
#include "win32/gdi_scene_image.h"
#include "win32/wic_picture_loader.h"
#include "win32/win32_file_system.h"

int main(int argc, char** argv) {
    using namespace almanix;
    if (argc < 2) {
        std::fputs("usage: win32_scene_change_benchmark <photograph.jpg> [rounds]\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::size_t split = path.find_last_of("\\/") + 1;

    Win32FileSystem files;
    GdiSceneImage movingImage;
    WicPictureLoader loader(movingImage);
    SeededRandom random;
    Slideshow slideshow(files, loader, random);
    slideshow.setPictures(path.substr(0, split), {path.substr(split)});

    std::vector<double> milliseconds;
    ImageSize shown;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const auto size = slideshow.showPicture({1024, 768});
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        const auto isBlack = [](std::uint32_t pixel) { return (pixel & 0xFFFFFFu) == 0; };
        if (!size || std::all_of(movingImage.pixels(), movingImage.pixels() + size->width * size->height, isBlack)) {
            std::fprintf(stderr, "%s was not shown\n", path.c_str());
            return 1;
        }
        shown = *size;
        milliseconds.push_back(took.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("picture scene at %dx%d: fastest %.1f ms, median %.1f ms over %d rounds\n", shown.width,
                shown.height, milliseconds.front(), milliseconds[milliseconds.size() / 2], rounds);
    return 0;
}
