// The media generator: every picture, song and sound effect of the program, made here from
// nothing but code, so that the same bytes come out on every run.
#pragma once

#include <filesystem>

namespace mediagen {

void WritePictures(const std::filesystem::path& dir);  // the BMP files of the media folder
void WriteSongs(const std::filesystem::path& dir);     // "a_song0.Mid" to "a_song5.Mid"
void WriteSounds(const std::filesystem::path& dir);    // "a_sound0.wav", "a_sound1.wav"

}  // namespace mediagen
