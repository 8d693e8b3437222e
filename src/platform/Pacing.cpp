#include "platform/Pacing.h"

namespace platform {

// The interval counts from the start of the work: what ran before it (the
// click that started it) has just been answered.
Pacing::Work::Work(Pacing& pacing) : m_Pacing(pacing) {
    if (m_Pacing.m_Depth++ == 0) m_Pacing.m_Last = m_Pacing.m_Clock.Milliseconds();
}

Pacing::Work::~Work() { --m_Pacing.m_Depth; }

void Pacing::Step() {
    if (m_Depth == 0 || m_InStep) return;
    try {
        if (m_Clock.Milliseconds() - m_Last < kIntervalMs) return;
        m_InStep = true;
        m_Windows.DoEvents();
        ++m_Steps;
        m_Last = m_Clock.Milliseconds();
    } catch (...) {
        // The window procedures catch their own faults; nothing more is owed to the work.
    }
    m_InStep = false;
}

}  // namespace platform
