#pragma once
// Steps that must run when a block is left, also through an error: the
// unlocking after a task. RunNow() runs them at the right moment of the normal
// path; on the way out through an error they run in the destructor, and a
// fault of theirs is dropped there, for the error on its way is the one to report.
#include <utility>

template <class Steps>
class ScopeExit {
public:
    explicit ScopeExit(Steps steps) : m_Steps(std::move(steps)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (!m_Done) {
            try {
                m_Steps();
            } catch (...) {}
        }
    }
    void RunNow() {
        m_Done = true;
        m_Steps();
    }

private:
    Steps m_Steps;
    bool m_Done = false;
};
