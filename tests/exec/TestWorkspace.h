#pragma once

#include "Recorders.h"
#include "ScriptedRun.h"
#include "exec/Workspace.h"

// A workspace with recorded messages and log, scripted dialogs and scripted random numbers.
struct TestWorkspace {
    trevalon::test::RecordingSink sink;
    trevalon::test::RecordingLog log;
    trevalon::test::ScriptedIo io;
    trevalon::test::ScriptedRandom random;
    trevalon::Workspace workspace{log, sink};

    TestWorkspace() {
        workspace.setExecutionIo(&io);
        workspace.setRandomSource(&random);
    }
    trevalon::Project& project() { return workspace.project(); }
};
