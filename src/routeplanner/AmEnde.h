#pragma once
// Steps that must run when a block is left, also through an error: the
// unlocking after a task. Jetzt() runs them at the right moment of the normal
// path; on the way out through an error they run in the destructor, and a
// fault of theirs is dropped there, for the error on its way is the one to report.
#include <utility>

template <class Steps>
class AmEnde {
public:
    explicit AmEnde(Steps steps) : m_Steps(std::move(steps)) {}
    AmEnde(const AmEnde&) = delete;
    AmEnde& operator=(const AmEnde&) = delete;
    ~AmEnde() {
        if (!m_Done) {
            try {
                m_Steps();
            } catch (...) {
            }
        }
    }
    void Jetzt() {
        m_Done = true;
        m_Steps();
    }

private:
    Steps m_Steps;
    bool m_Done = false;
};
