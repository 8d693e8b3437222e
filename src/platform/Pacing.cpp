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
    m_InStep = true;
    try {
        if (m_Clock.Milliseconds() - m_Last >= kIntervalMs) {
            ++m_Steps;
            try {
                m_Windows.DoEvents();
            } catch (...) {
                // The window procedures catch their own faults; none is owed to the work.
            }
            m_Last = m_Clock.Milliseconds();
        }
    } catch (...) {
        // A clock that cannot be read lets no events run.
    }
    m_InStep = false;
}

}  // namespace platform
