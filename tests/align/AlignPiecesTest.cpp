#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/align/Aligner.h"
#include "tools/align/AudioDecoder.h"
#include "tools/align/EspeakPronouncer.h"
#include "tools/align/TextWords.h"

using lirava::align::AudioDecoder;
using lirava::align::EspeakPronouncer;
using lirava::align::MonoAudio;
using lirava::align::TextWords;

namespace {

void put16(std::string& out, uint16_t value) {
    out.append({char(value & 0xff), char(value >> 8)});
}
void put32(std::string& out, uint32_t value) {
    put16(out, uint16_t(value & 0xffff));
    put16(out, uint16_t(value >> 16));
}

// A 16-bit stereo WAV file: one second at 44.1 kHz, a full-scale step of 9 ms on the left channel alone
// at 0.5 s, the right channel silent.
std::string stereoPulseWav() {
    const uint32_t rate = 44100;
    std::string data;
    for (uint32_t i = 0; i < rate; ++i) {
        put16(data, i >= rate / 2 && i < rate / 2 + 400 ? 32767 : 0);
        put16(data, 0);
    }
    std::string file = "RIFF";
    put32(file, uint32_t(36 + data.size()));
    file += "WAVEfmt ";
    put32(file, 16);
    put16(file, 1);
    put16(file, 2);
    put32(file, rate);
    put32(file, rate * 4);
    put16(file, 4);
    put16(file, 16);
    file += "data";
    put32(file, uint32_t(data.size()));
    return file + data;
}

}  // namespace

// The dictionary's phones from espeak-ng's mnemonics: stress marks go, variant marks (the US
// flap "t#", "@L") fall back to the plain phone, a glottal stop has no counterpart.
TEST(EspeakPronouncer, MapsMnemonicsOntoTheModelsPhones) {
    EXPECT_EQ(EspeakPronouncer::mapPhonemes("b_'I_s_k_I_t"), "B IH S K IH T");
    EXPECT_EQ(EspeakPronouncer::mapPhonemes("b_'V_t#_3"), "B AH T ER");
    EXPECT_EQ(EspeakPronouncer::mapPhonemes("l_'I_t#_@L"), "L IH T AH L");
    EXPECT_EQ(EspeakPronouncer::mapPhonemes("tS_'3:_tS dZ_,aI_?"), "CH ER CH JH AY");
    EXPECT_EQ(EspeakPronouncer::mapPhonemes("k_j_'U@ f_'A:_D_3_r- 'aU_3"), "K Y UH R F AA DH ER AW ER");
}

TEST(EspeakPronouncer, PronouncesANameTheDictionaryLacks) {
    std::string error;
    ASSERT_TRUE(EspeakPronouncer::open("en-us", error)) << error;
    EXPECT_EQ(EspeakPronouncer::phonesFor("Biscuit"), "B IH S K IH T");
}

TEST(TextWords, KeepsWordsAsWrittenAndLooksThemUpPlain) {
    EXPECT_EQ(TextWords::split("  Woof!\tWoof!\n\u2014 Mum's here. "),
              (std::vector<std::string>{"Woof!", "Woof!", "\u2014", "Mum's", "here."}));
    EXPECT_EQ(TextWords::spokenForm("Mum's"), "mum's");
    EXPECT_EQ(TextWords::spokenForm("\"Biscuit!\""), "biscuit");
    EXPECT_EQ(TextWords::spokenForm("'Bye'"), "bye");
    EXPECT_EQ(TextWords::spokenForm("\u2014"), "");
}

// Channels are averaged and the rate converted without moving anything in time.
TEST(AudioDecoder, MixesDownAndResamplesInPlace) {
    const std::string path = testing::TempDir() + "align-stereo-pulse.wav";
    const std::string wav = stereoPulseWav();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(wav.data(), 1, wav.size(), file);
    std::fclose(file);

    MonoAudio audio;
    std::string error;
    ASSERT_TRUE(AudioDecoder().decode(path, 16000, audio, error)) << error;
    EXPECT_EQ(audio.rate, 16000);
    EXPECT_NEAR(audio.seconds(), 1.0, 2.0 / 16000);
    size_t peak = 0;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        peak = std::fabs(audio.samples[i]) > std::fabs(audio.samples[peak]) ? i : peak;
    }
    EXPECT_NEAR(peak / 16000.0, 0.5, 0.001);
    EXPECT_NEAR(audio.samples[peak], 0.5f, 0.1f);  // half of full scale, from one channel of two

    EXPECT_FALSE(AudioDecoder(0.5).decode(path, 16000, audio, error));
    EXPECT_NE(error.find("0:00:01 long"), std::string::npos) << error;
    EXPECT_TRUE(audio.samples.empty());
    std::remove(path.c_str());
}

// One aligner serves many recordings, as the book maker uses it: the second text is aligned as
// well as the first, and a failure in between leaves it usable.
TEST(Aligner, AlignsOneRecordingAfterAnother) {
    MonoAudio audio;
    std::string error;
    ASSERT_TRUE(
        AudioDecoder().decode("/usr/share/pocketsphinx/test/data/librivox/"
                              "sense_and_sensibility_01_austen_64kb-0880.wav",
                              lirava::align::Aligner::kSampleRate, audio, error))
        << error;
    lirava::align::Aligner aligner;
    ASSERT_TRUE(aligner.ready()) << aligner.error();
    const auto words = TextWords::split("He was not an ill-disposed young man.");
    const auto first = aligner.align(audio.samples, words);
    ASSERT_TRUE(first.aligned) << first.error;
    EXPECT_FALSE(aligner.align(audio.samples, TextWords::split("purple elephants dance")).aligned);
    const auto again = aligner.align(audio.samples, words);
    ASSERT_TRUE(again.aligned) << again.error;
    ASSERT_EQ(again.words.size(), words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(again.words[i].word, words[i]);
        EXPECT_DOUBLE_EQ(again.words[i].start, first.words[i].start) << words[i];
    }
}
