// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording stand-ins for everything around the transfer controller.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/ConfigImage.h"
#include "model/ImageDefaults.h"
#include "transfer/MessageCodec.h"
#include "transfer/TransferInterfaces.h"

namespace transfer {

struct FakeLink : ITransferLink {
    int Connect(const std::string& parameters) override {
        connects.push_back(parameters);
        return connectResult;
    }
    void Disconnect() override { ++disconnects; }
    int Send(const std::vector<std::uint8_t>& bytes) override {
        sent.push_back(bytes);
        return sent.size() <= acceptedSends ? 0 : -10008;
    }
    int QueuedMessages() override { return queued; }
    int WaitingFrames() override { return waiting; }

    std::vector<std::uint8_t> SentTypes() const {
        std::vector<std::uint8_t> types;
        for (const auto& bytes : sent) {
            types.push_back(bytes[1]);
        }
        return types;
    }

    std::vector<std::string> connects;
    int connectResult = 0;
    int disconnects = 0;
    std::vector<std::vector<std::uint8_t>> sent;
    std::size_t acceptedSends = SIZE_MAX;  // later sends fail
    int queued = 0;
    int waiting = 0;
};

struct FakeTimers : ITransferTimers {
    void Start(TimerId id, int periodMs) override { running[id] = periodMs; }
    void Stop(TimerId id) override { running.erase(id); }
    bool IsRunning(TimerId id) const { return running.contains(id); }
    std::map<TimerId, int> running;
};

struct FakeView : ITransferView {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskRetry(const std::string& text) override {
        questions.push_back(text);
        return retry;
    }
    void SetStatusText(const std::string& text) override { status = text; }
    void ShowProgress(const ProgressState& state) override {
        progress = state;
        ++progressUpdates;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool retry = false;
    std::string status;
    ProgressState progress;
    int progressUpdates = 0;
};

struct FakeDatabase : IDatabaseSteps {
    bool IsDatabaseOpen() const override { return open; }
    bool StartNewDatabase() override {
        ++newDatabaseRequests;
        if (!allowNew) {
            return false;
        }
        image.Clear();
        SetImageDefaults(image);
        open = true;
        return true;
    }
    void ShowDownloadName() override { downloadName = true; }
    void ImageReplaced() override { ++replaced; }
    std::string ComPortDigit() const override { return digit; }
    ConfigImage& Image() override { return image; }
    ConfigImage& ReceivedImage() override { return received; }

    bool open = false;
    bool allowNew = true;
    int newDatabaseRequests = 0;
    bool downloadName = false;
    int replaced = 0;
    std::string digit = "2";
    ConfigImage image;
    ConfigImage received;
};

}  // namespace transfer
