// SPDX-License-Identifier: GPL-3.0-or-later
// The database file reader on any bytes, then a save and a reopen.
//
// Invariants: a refused file leaves the image byte for byte as it was; an
// accepted file has the header and fills exactly the image's first
// min(size, 16384) bytes; what is saved reopens as the same image.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "model/ConfigImage.h"
#include "model/DatabaseFile.h"

namespace {

// tmpfs where there is one: the writer's fsync then costs nothing.
std::string ScratchPath(const char* name) {
    const char* folder = std::getenv("TORVO_FUZZ_SCRATCH");
    const std::string base =
        folder ? folder : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    return base + "/torvo-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

// The two files one run uses, removed when it ends.
struct ScratchFiles {
    const std::string input = ScratchPath("input.ddb");
    const std::string saved = ScratchPath("saved.ddb");
    ~ScratchFiles() {
        std::remove(input.c_str());
        std::remove(saved.c_str());
    }
};

void WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(file.good(), "the scratch file can be written");
}

// Bytes that no file is likely to hold, so that any change shows.
ConfigImage Patterned(std::uint8_t seed) {
    ConfigImage image;
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        image.SetU8(i, static_cast<std::uint8_t>(i * 131 + seed));
    }
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFiles files;
    const std::string& input = files.input;
    const std::string& saved = files.saved;
    WriteRaw(input, data, size);

    const ConfigImage before = Patterned(0x5A);
    ConfigImage image = before;
    const FileResult read = ReadDatabaseFile(input, image);
    if (!read.Ok()) {
        FUZZ_CHECK(image == before, "a refused file leaves the image as it was");
        return 0;
    }

    const std::size_t filled = std::min(size, ConfigImage::kSize);
    FUZZ_CHECK(filled >= layout::kHeaderLength && image.HasHeader(),
               "only a file with the header is accepted");
    FUZZ_CHECK(std::equal(data, data + filled, image.Bytes().begin()),
               "an accepted file fills the image's first bytes with its own");
    FUZZ_CHECK(std::equal(image.Bytes().begin() + filled, image.Bytes().end(),
                          before.Bytes().begin() + filled),
               "an accepted file leaves the image past its length as it was");

    FUZZ_CHECK(WriteDatabaseFile(saved, image).Ok(), "the image can be saved");
    ConfigImage reopened = Patterned(0xA5);
    FUZZ_CHECK(ReadDatabaseFile(saved, reopened).Ok(), "a saved file reopens");
    FUZZ_CHECK(reopened == image, "save then reopen gives the same image");
    return 0;
}
