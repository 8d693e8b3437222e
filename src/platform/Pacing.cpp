#include "platform/Pacing.h"

namespace platform {

// The interval counts from the start of the work: what ran before it (the
// click that started it) has just been answered.
Pacing::Work::Work(Pacing& pacing) : m_Pacing(pacing) {
    if (m_Pacing.m_Depth++ == 0) m_Pacing.m_Last = m_Pacing.m_Clock.Milliseconds();
}

Pacing::Work::~Work() { --m_Pacing.m_Depth; }

void Pacing::Step() {
    if (m_Depth == 0 || m_InStep || m_Clock.Milliseconds() - m_Last < kIntervalMs) return;
    m_InStep = true;
    ++m_Steps;
    // The events are callbacks of the work: a fault of theirs is the
    // window's to report (its procedures catch their own), never the work's.
    try {
        m_Windows.DoEvents();
    } catch (...) {}
    m_InStep = false;
    m_Last = m_Clock.Milliseconds();
}

}  // namespace platform
