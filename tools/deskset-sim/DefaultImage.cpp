// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "model/ConfigImage.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"

std::vector<uint8_t> DefaultImage() {
    ConfigImage image;
    SetImageDefaults(image);
    return std::vector<uint8_t>(image.Bytes().begin(), image.Bytes().end());
}

bool ReadImageFile(const std::string& path, std::vector<uint8_t>& image, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() != ConfigImage::kSize) {
        error = path + " is not a " + std::to_string(ConfigImage::kSize) + "-byte database";
        return false;
    }
    image = std::move(bytes);
    return true;
}

bool WriteImageFile(const std::string& path, const std::vector<uint8_t>& image,
                    std::string& error) {
    ConfigImage copy;
    std::copy_n(image.begin(), std::min(image.size(), ConfigImage::kSize), copy.Bytes().begin());
    const FileResult result = WriteDatabaseFile(path, copy);
    if (!result.Ok()) {
        error = result.message.empty() ? "cannot write " + path : result.message;
        return false;
    }
    return true;
}
