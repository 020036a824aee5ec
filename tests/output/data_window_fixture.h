#pragma once
// A Data window, with its saving and printing commands, over recording fakes
// in a fresh program folder.
#include <gtest/gtest.h>

#include "core/text_file.h"
#include "output/data_window.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel::test {

struct DataWindowFixture : ::testing::Test {
    RecordingMessages messages;
    RecordingView view;
    RecordingProgress progress;
    RecordingDataWindow seam;
    ScriptedSaveDialog dialog;
    RecordingPreview preview;
    RecordingPrinter printer;
    CalcRequest request;
    RunState state;
    OptionValues options = OptionValues::Factory();
    DataWindowSettings settings;
    TempFolder dir;
    DataWindow window{DataWindowLinks{buffer, request, state, options, settings, messages, progress,
                                      view, seam, dialog, preview, printer, dir.string()}};
    LoadingDataView loadingView{window, view};
    DataBuffer buffer{messages, loadingView};
    DataSaver& saver = window.saver;
    PrintCommands& print = window.printing;

    void Add(const std::string& line) {
        buffer.CurrentLine = line;
        buffer.AppendLine();
    }
    void ShowLines(std::initializer_list<const char*> lines) {
        buffer.ClearPage();
        for (const char* l : lines) Add(l);
        buffer.ShowPage();
    }
    std::string File(const std::string& name) {
        return ReadWholeFile((dir / name).string()).value_or("<none>");
    }
};

}  // namespace novarel::test
