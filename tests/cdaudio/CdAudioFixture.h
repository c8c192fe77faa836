#pragma once
// The music service with its real worker thread over the scripted device, a clock the
// test moves, and the console the "cd" command reads.
#include "FakeCdDevice.h"
#include "config/cdaudio/CdAudio.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

class CdAudioTest : public ::testing::Test
{
protected:
    void Start(bool disabled = false)
    {
        audio = std::make_unique<CdAudio>(device, [this] { return clock(); }, disabled);
        audio->Start();
        ASSERT_TRUE(audio->WaitUntilIdle());
    }

    // Runs a "cd" command line and waits for the worker to finish what it posted.
    void Cd(const std::string& line)
    {
        console.words = {"cd"};
        std::istringstream words(line);
        for (std::string word; words >> word;)
            console.words.push_back(word);
        audio->Command(console);
        Idle();
    }

    void Idle() { ASSERT_TRUE(audio->WaitUntilIdle()); }

    void Frame()
    {
        audio->Update(console);
        Idle();
    }

    void TearDown() override
    {
        if (audio)
            audio->Shutdown();
    }

    FakeCdDevice device;
    FakeCdConsole console;
    ManualClock clock;
    std::unique_ptr<CdAudio> audio;
};
