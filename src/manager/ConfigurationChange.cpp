#include "manager/ConfigurationChange.h"

#include <string>

#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"

ConfigurationChange::ConfigurationChange(const platform::Platform& env) {
    m_Journal = platform::RegistryJournal::Of(env.registry);
    if (m_Journal != nullptr) {
        m_Env = &env;
    } else {
        m_OwnJournal.emplace(env.registry);
        m_Journal = &*m_OwnJournal;
        m_OwnEnv.emplace(platform::Platform{*m_OwnJournal, env.windows, env.messages, env.text, env.files, env.graphics,
                                            env.programTitle});
        m_Env = &*m_OwnEnv;
    }
    m_Journal->Begin();
}

ConfigurationChange::~ConfigurationChange() {
    if (m_Finished) return;
    try {
        if (Failed() || std::uncaught_exceptions() > m_Unwinding) {
            m_Journal->Undo();
        } else {
            m_Journal->Commit();
        }
    } catch (...) {
        // A destructor gives nothing back; the journal is closed either way.
    }
}

bool ConfigurationChange::Finish() {
    m_Finished = true;
    const auto failure = m_Journal->FirstFailure();
    if (!failure) {
        m_Journal->Commit();
        return true;
    }
    const bool undone = m_Journal->Undo();
    std::string text =
        modRegistry::NotWrittenText(failure->root, m_Env->text.FromCodePage(failure->path),
                                    m_Env->text.FromCodePage(failure->name), failure->code, failure->deletion);
    text += undone ? texts::kChangeUndone : texts::kChangeNotUndone;
    modMessages::MsgBox(*m_Env, text, platform::MsgIcon::Exclamation);
    return false;
}
