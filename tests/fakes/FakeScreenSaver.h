#pragma once

#include "platform/ScreenSaver.h"

class FakeScreenSaver : public ScreenSaver
{
public:
    int inhibits = 0;
    int releases = 0;
    bool inhibited = false;

    void inhibit() override
    {
        ++inhibits;
        inhibited = true;
    }
    void release() override
    {
        ++releases;
        inhibited = false;
    }
    bool isInhibited() const override { return inhibited; }
};
