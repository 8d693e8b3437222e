#pragma once
// A window in memory, built from the same control table as the real one,
// recording what its logic does to it: every window's presenter is tested
// against it natively. A window's own interface adds its extras in a class
// that derives from this one and from that interface.
#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ControlTable.h"
#include "ui/Form.h"

class RecordingForm : public virtual ui::IForm {
public:
    struct Control {
        ui::ControlEntry entry;
        std::string text;
        std::string tip;
        bool enabled = true, checked = false, focused = false;
        std::vector<std::string> items;  // a drop-down list's
        int index = -1;  // a drop-down list's choice, a list view's selected row
        std::vector<int> more;  // a list view's other rows selected beside `index`
        int value = 0;  // a progress bar's
        std::vector<std::string> headers;  // a list view's
        std::vector<Row> rows;
    };

    RecordingForm(ui::ControlTable table, std::string caption) : m_Caption(std::move(caption)) {
        for (const ui::ControlEntry& entry : table) {
            if (entry.id == 0) continue;
            Control c{entry, std::string(entry.caption)};
            c.checked = entry.selected;
            m_Controls.emplace(entry.id, c);
        }
    }

    // What happened, one line each: "enable cmdLaden 0", "text lbInfo ...",
    // "hourglass 1", "status ...", "progress 25", "rows lvCommands 3", "append lvCommands 250",
    // "select lvCommands 0", "clear Picture1", "refresh Picture1", "close".
    std::vector<std::string> log;
    std::vector<std::string> Lines(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& line : log) {
            if (line.rfind(prefix, 0) == 0) out.push_back(line.substr(prefix.size()));
        }
        return out;
    }

    Control& At(ui::ControlId control) { return m_Controls.at(control.id); }
    const Control& At(ui::ControlId control) const { return m_Controls.at(control.id); }
    std::string Name(ui::ControlId control) const { return std::string(At(control).entry.name); }
    int closes = 0;
    ui::Pointer pointer = ui::Pointer::Default;

    std::string Text(ui::ControlId control) const override { return At(control).text; }
    void SetText(ui::ControlId control, std::string_view text) override {
        At(control).text = std::string(text);
        log.push_back("text " + Name(control) + " " + std::string(text));
    }
    void SetTip(ui::ControlId control, std::string_view text) override {
        At(control).tip = std::string(text);
        log.push_back("tip " + Name(control) + " " + std::string(text));
    }
    bool Enabled(ui::ControlId control) const override { return At(control).enabled; }
    void SetEnabled(ui::ControlId control, bool enabled) override {
        At(control).enabled = enabled;
        log.push_back("enable " + Name(control) + (enabled ? " 1" : " 0"));
    }
    void Focus(ui::ControlId control) override {
        for (auto& [id, c] : m_Controls) c.focused = id == control.id;
        log.push_back("focus " + Name(control));
    }

    void AddItem(ui::DropDownId list, std::string_view text) override { At(list).items.emplace_back(text); }
    int ItemCount(ui::DropDownId list) const override { return static_cast<int>(At(list).items.size()); }
    std::string ItemText(ui::DropDownId list, int index) const override {
        return At(list).items.at(static_cast<std::size_t>(index));
    }
    int ListIndex(ui::DropDownId list) const override { return At(list).index; }
    void SetListIndex(ui::DropDownId list, int index) override {
        if (index >= 0 && index < ItemCount(list)) At(list).index = index;
    }

    bool Checked(ui::ToggleId toggle) const override { return At(toggle).checked; }
    void SetChecked(ui::ToggleId toggle, bool checked) override { At(toggle).checked = checked; }

    int Value(ui::ProgressId bar) const override { return At(bar).value; }
    void SetValue(ui::ProgressId bar, int value) override {
        At(bar).value = value;
        log.push_back("progress " + std::to_string(value));
    }

    std::string StatusText(ui::StatusId bar) const override { return At(bar).text; }
    void SetStatusText(ui::StatusId bar, std::string_view text) override {
        At(bar).text = std::string(text);
        log.push_back("status " + std::string(text));
    }

    void ShowRows(ui::ListViewId list, std::span<const std::string_view> headers,
                  const std::vector<Row>& rows) override {
        Control& c = At(list);
        c.headers.assign(headers.begin(), headers.end());
        c.rows = rows;
        c.index = -1;
        c.more.clear();
        log.push_back("rows " + Name(list) + " " + std::to_string(rows.size()));
    }
    void ReorderRows(ui::ListViewId list, const std::vector<Row>& rows) override {
        At(list).rows = rows;
        log.push_back("reorder " + Name(list));
    }
    void AddRow(ui::ListViewId list, const Row& cells) override {
        At(list).rows.push_back(cells);
        log.push_back("add " + Name(list) + " " + (cells.empty() ? std::string() : cells.front()));
    }
    void AddRows(ui::ListViewId list, std::span<const Row> rows) override {
        At(list).rows.insert(At(list).rows.end(), rows.begin(), rows.end());
        log.push_back("append " + Name(list) + " " + std::to_string(rows.size()));
    }
    int SelectedRow(ui::ListViewId list) const override { return At(list).index; }
    std::vector<int> SelectedRows(ui::ListViewId list) const override {
        std::vector<int> rows = At(list).more;
        if (At(list).index >= 0) rows.push_back(At(list).index);
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void SelectRow(ui::ListViewId list, int row) override {
        Control& c = At(list);
        c.more.clear();
        c.index = row >= 0 && row < static_cast<int>(c.rows.size()) ? row : -1;
        log.push_back("select " + Name(list) + " " + std::to_string(c.index));
    }

    // A surface is the picture's identifier: the graphics substitute records what is painted on it.
    platform::DeviceContext Surface(ui::PictureId picture) override {
        return static_cast<platform::DeviceContext>(picture.id);
    }
    void ClearPicture(ui::PictureId picture) override { log.push_back("clear " + Name(picture)); }
    void Refresh(ui::PictureId picture) override { log.push_back("refresh " + Name(picture)); }

    std::string Caption() const override { return m_Caption; }
    platform::WindowHandle Handle() const override { return 0x4711; }
    void SetPointer(ui::Pointer shape) override {
        pointer = shape;
        log.push_back(shape == ui::Pointer::Hourglass ? "hourglass 1"
                      : shape == ui::Pointer::Default ? "hourglass 0"
                                                      : "pointer up");
    }
    void Close() override {
        ++closes;
        log.push_back("close");
    }

private:
    std::string m_Caption;
    std::map<int, Control> m_Controls;
};
