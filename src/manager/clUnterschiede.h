#pragma once
// The logic of the window that tells, before anything is written, what
// writing a backup back would change: one row a command or toolbar that
// would come, go or change, and the other values counted in one row.
// Close and Esc close it.
#include <string>
#include <vector>

#include "manager/modBackupDiff.h"
#include "ui/Form.h"

class clUnterschiede {
public:
    // `backup`: the backup as the prompt names it (its reason, or its date).
    clUnterschiede(ui::IForm& window, std::string backup, std::vector<modBackupDiff::Difference> differences);

    // --- window events ----------------------------------------------------
    void Form_Load();
    void cmdClose_Click();

private:
    ui::IForm& m_Window;
    std::string m_Backup;
    std::vector<modBackupDiff::Difference> m_Differences;
};
