#include "platform/file_read.h"

#include <gtest/gtest.h>

#include "platform/audio_test_files.h"
#include "platform/bmp_reader.h"
#include "platform/bmp_test_files.h"
#include "platform/midi_file.h"
#include "platform/wav_reader.h"

namespace {

// Everything loaded at once shares one budget: a sound, song or picture that does not fit beside
// what is held is refused like a broken file, and what is loaded holds its share until it goes.
TEST(LoadedMediaBudget, WhatDoesNotFitBesideWhatIsLoadedIsRefusedUntilItsRoomIsFreed) {
  audiotest::ScratchDir dir;
  const auto wave = dir.Write("a.wav", audiotest::ConstantWav(audio::kRate, 1));
  const auto song = dir.Write("a.mid", audiotest::NoteSong(96, 0, 96));
  const auto picture = dir.Write("a.bmp", bmptest::File({.width = 2, .pixels = {0, 0}}));
  const auto held = files::Charge::HeldBytes();
  for (const bool room : {true, false}) {
    auto rest = files::Charge::Take(files::kMaxLoadedBytes - held);
    ASSERT_TRUE(rest) << "what was loaded gave its share back";
    if (room) rest.reset();
    EXPECT_EQ(audio::LoadWavFile(wave) != nullptr, room);
    EXPECT_EQ(midi::ReadMidiFile(song).has_value(), room);
    EXPECT_EQ(win::ReadBmpFile(picture).has_value(), room);
  }
}

}  // namespace
