// Keeps the drawing library started for the program's lifetime. QPainter
// needs no start-up, so this only records that the session exists; the
// application object still holds one so the start-up order stays visible.
#pragma once

class CGDIPlus {
public:
    CGDIPlus();
    ~CGDIPlus();
    CGDIPlus(const CGDIPlus&) = delete;
    CGDIPlus& operator=(const CGDIPlus&) = delete;

    // Starts the session; returns true when it is running.
    bool Startup();
    void Shutdown();
    // Non-zero while started.
    unsigned long Token() const { return token_; }

private:
    unsigned long token_ = 0;
};
