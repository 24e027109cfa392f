// The simulated desktop held to what Windows does where the program's
// behaviour rests on it: message boxes belong to a window, registry keys
// carry the rights they were opened with, and the dialog templates the
// simulation builds windows from are the ones in res/lumivane.rc.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "dialogs/about_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace lv {
namespace {

using fake::FakeDesktop;

constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyWow64_64 = 0x0100;
constexpr std::int32_t kAccessDenied = 5;

// ---------------------------------------------------------------------------
// Message boxes

TEST(FakeAsWindows, TheBarsErrorBoxIsOwnedByTheBar) {
    TheSelection() = SelectionState{};
    FakeDesktop desk;
    desk.shell.refuseAdd = true;
    CLvDlg bar;
    bar.DoModal();
    ASSERT_EQ(desk.shell.messageBoxes.size(), 1u);
    const auto bars = desk.windows.WindowsFrom(102);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(desk.shell.messageBoxes[0].text, "Error");
    EXPECT_EQ(desk.shell.messageBoxes[0].owner, bars[0]->handle);
}

// ---------------------------------------------------------------------------
// Registry rights

// Keys under HKEY_CLASSES_ROOT open for what a standard user may do with the
// machine's associations, and read only when opened to read.
TEST(FakeAsWindows, ClassesRootOpensWithTheRightsAskedForAsAStandardUser) {
    struct Case {
        std::uint32_t access;
        bool administrator;
        std::int32_t open;   // the open's answer
        std::int32_t query;  // then reading the default value (when it opened)
    };
    const Case cases[] = {
        {kKeyQueryValue, false, 0, 0},
        {kKeyRead, false, 0, 0},
        {kKeyRead | kKeyWow64_64, false, 0, 0},
        {kKeyAllAccess, false, kAccessDenied, 0},
        {kKeySetValue, false, kAccessDenied, 0},
        {kKeyQueryValue | kKeySetValue, false, kAccessDenied, 0},
        {kKeyEnumerateSubKeys, false, 0, kAccessDenied},  // opens, but may not read values
        {kKeyAllAccess, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.access << (c.administrator ? " admin" : ""));
        FakeDesktop desk;
        desk.launch.administrator = c.administrator;
        desk.launch.SetClassDefault(".htm", "htmlfile");
        HKey key = HKey::None;
        EXPECT_EQ(desk.launch.OpenClassesRootKey(".htm", c.access, &key), c.open);
        ASSERT_EQ(desk.launch.opened.size(), 1u);
        EXPECT_EQ(desk.launch.opened[0].access, c.access);
        if (c.open != 0) {
            EXPECT_EQ(desk.launch.openKeys, 0);
            continue;
        }
        EXPECT_EQ(desk.launch.openKeys, 1);
        char value[64] = {};
        std::int32_t size = sizeof value;
        EXPECT_EQ(desk.launch.QueryDefaultValue(key, value, &size), c.query);
        if (c.query == 0) EXPECT_STREQ(value, "htmlfile");
        desk.launch.CloseKey(key);
        EXPECT_EQ(desk.launch.openKeys, 0);
    }
}

TEST(FakeAsWindows, CurrentUserKeysReadOnlyWithTheRightToQuery) {
    struct Case {
        std::uint32_t access;
        std::int32_t query;
    };
    const Case cases[] = {{kKeyQueryValue, 0}, {kKeyRead, 0}, {kKeyAllAccess, 0}, {kKeySetValue, kAccessDenied}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.access);
        FakeDesktop desk;
        desk.registry.SetString("Control Panel\\Cursors", "Arrow", "x.cur");
        const HKey key = desk.registry.OpenCurrentUserKey("Control Panel\\Cursors", c.access);
        ASSERT_FALSE(IsNone(key));
        ASSERT_EQ(desk.registry.opened.size(), 1u);
        EXPECT_EQ(desk.registry.opened[0].access, c.access);
        std::uint8_t data[64] = {};
        std::uint32_t size = sizeof data;
        std::uint32_t type = 0;
        EXPECT_EQ(desk.registry.QueryValue(key, "Arrow", &type, data, &size), c.query);
        desk.registry.CloseKey(key);
    }
}

// The link's fallback through the ".htm" association works for a standard
// user: it asks only for what it reads.
TEST(FakeAsWindows, TheLinksFallbackReadsTheAssociationAsAStandardUser) {
    FakeDesktop desk;
    desk.launch.shellAnswer = 31;
    desk.launch.SetClassDefault(".htm", "htmlfile");
    desk.launch.SetClassDefault("htmlfile\\shell\\open\\command", "browser.exe \"%1\"");
    desk.launch.programs.insert("browser.exe");
    CAboutDlg about;
    desk.dialogs.modalScript = [&](HWindow dlg) {
        const Rect r = desk.windows.GetWindowRect(desk.dialogs.GetDlgItem(dlg, IDC_VENDOR_LINK));
        desk.controls.Click(Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    about.DoModal();
    ASSERT_EQ(desk.launch.opened.size(), 2u);
    for (const auto& o : desk.launch.opened) {
        SCOPED_TRACE(o.key);
        EXPECT_EQ(o.answer, 0);
        EXPECT_EQ(o.access & ~kKeyRead, 0u);
    }
    ASSERT_EQ(desk.launch.winExecs.size(), 1u);
    EXPECT_TRUE(desk.shell.messageBoxes.empty());
}

// ---------------------------------------------------------------------------
// Dialog templates against the resource script

// What a resource compiler makes of the script's dialogs, as far as the
// simulation has it: each control's id, class, text and style, in order,
// and the rectangles in dialog units.
struct RcControl {
    int id = 0;
    std::string className, text;
    std::uint32_t style = 0;
    int x = 0, y = 0, w = 0, h = 0;
};
struct RcDialog {
    int x = 0, y = 0, w = 0, h = 0;
    std::uint32_t style = 0;
    std::string font;
    int fontSize = 0;
    std::vector<RcControl> controls;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The window, dialog and control styles the script names (the values of
// the platform's headers).
const std::map<std::string, std::uint32_t>& StyleNames() {
    static const std::map<std::string, std::uint32_t> names = {
        {"WS_POPUP", 0x80000000u},    {"WS_CHILD", 0x40000000u},    {"WS_VISIBLE", 0x10000000u},
        {"WS_CAPTION", 0x00C00000u},  {"WS_SYSMENU", 0x00080000u},  {"WS_GROUP", 0x00020000u},
        {"WS_TABSTOP", 0x00010000u},  {"DS_MODALFRAME", 0x0080u},   {"DS_SETFONT", 0x0040u},
        {"WS_EX_TOOLWINDOW", 0x80u},  {"WS_EX_STATICEDGE", 0x20000u}, {"WS_EX_CLIENTEDGE", 0x200u},
        {"WS_EX_DLGMODALFRAME", 0x1u}, {"SS_LEFT", 0x0000u},        {"SS_CENTER", 0x0001u},
        {"SS_RIGHT", 0x0002u},        {"SS_BITMAP", 0x000Eu},       {"SS_NOPREFIX", 0x0080u},
        {"SS_REALSIZEIMAGE", 0x0800u}, {"SS_NOTIFY", 0x0100u},      {"BS_PUSHBUTTON", 0x0000u},
        {"BS_DEFPUSHBUTTON", 0x0001u}, {"BS_OWNERDRAW", 0x000Bu},   {"BS_BITMAP", 0x0080u},
        {"TBS_HORZ", 0x0000u},        {"IDOK", 1u},                 {"IDCANCEL", 2u},
    };
    return names;
}

class ResourceScript {
public:
    ResourceScript() {
        for (const char* header : {"/res/resource.h", "/app/version.h"}) ReadDefines(ReadFile(std::string(LV_SOURCE_DIR) + header));
        Parse(ReadFile(std::string(LV_SOURCE_DIR) + "/res/lumivane.rc"));
    }
    std::map<int, RcDialog> dialogs;
    struct MenuItem {
        int command;  // 0: a separator
        std::string text;
    };
    std::map<int, std::vector<MenuItem>> menus;  // each menu's one pop-up
    std::string problem;  // the first statement the parser could not read

private:
    void ReadDefines(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string hash, name, value;
            if (!(words >> hash >> name) || hash != "#define" || name.find('(') != std::string::npos) continue;
            std::getline(words, value);
            const std::size_t start = value.find_first_not_of(' ');
            if (start != std::string::npos) defines_[name] = value.substr(start);
        }
    }

    // One term: a number, a string literal (escapes undone), a defined name
    // or a style name.
    bool Term(std::string token, std::string& text, long& number) {
        for (int depth = 0; defines_.count(token) && depth < 8; ++depth) token = defines_[token];
        if (token.empty()) return false;
        if (token[0] == '"') {
            text.clear();
            for (std::size_t i = 1; i + 1 < token.size(); ++i) {
                if (token[i] == '\\' && i + 2 < token.size()) {
                    const char e = token[++i];
                    text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                } else if (token[i] == '"' && token[i + 1] == '"') {
                    text += '"';
                    ++i;
                } else {
                    text += token[i];
                }
            }
            return true;
        }
        auto style = StyleNames().find(token);
        if (style != StyleNames().end()) {
            number = long(style->second);
            text = std::to_string(number);
            return true;
        }
        char* end = nullptr;
        number = std::strtol(token.c_str(), &end, 0);
        if (end == token.c_str() || *end != '\0') return false;
        text = std::to_string(number);
        return true;
    }

    // Splits a statement's arguments at the commas outside string literals.
    static std::vector<std::string> Arguments(const std::string& s) {
        std::vector<std::string> out(1);
        bool quoted = false;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char c = s[i];
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted) {
                out.emplace_back();
                continue;
            }
            out.back() += c;
        }
        for (std::string& a : out) {
            const std::size_t b = a.find_first_not_of(" \t");
            const std::size_t e = a.find_last_not_of(" \t");
            a = b == std::string::npos ? std::string() : a.substr(b, e - b + 1);
        }
        return out;
    }

    // Pieces of one argument: string literals next to one another or to
    // names join (`"v" LV_VERSION_TEXT`), names and numbers joined by `|` or.
    bool Value(const std::string& arg, std::string& text, long& number) {
        std::vector<std::string> pieces;
        std::string piece;
        bool quoted = false;
        for (char c : arg) {
            if (c == '"') quoted = !quoted;
            if (!quoted && (c == ' ' || c == '\t' || c == '|')) {
                if (!piece.empty()) pieces.push_back(piece);
                piece.clear();
                continue;
            }
            piece += c;
        }
        if (!piece.empty()) pieces.push_back(piece);
        if (pieces.empty()) return false;
        text.clear();
        number = 0;
        bool isText = false;
        for (const std::string& p : pieces) {
            std::string t;
            long n = 0;
            if (!Term(p, t, n)) return false;
            std::string resolved = p;
            for (int depth = 0; defines_.count(resolved) && depth < 8; ++depth) resolved = defines_[resolved];
            if (resolved[0] == '"') {
                isText = true;
                text += t;
            } else {
                number |= n;
            }
        }
        if (!isText) text = std::to_string(number);
        return true;
    }
    long Number(const std::string& arg) {
        std::string t;
        long n = 0;
        if (!Value(arg, t, n) && problem.empty()) problem = arg;
        return n;
    }
    std::string Text(const std::string& arg) {
        std::string t;
        long n = 0;
        if (!Value(arg, t, n) && problem.empty()) problem = arg;
        return t;
    }

    void Control(const std::string& keyword, const std::string& rest, RcDialog& d) {
        const std::vector<std::string> a = Arguments(rest);
        RcControl c;
        const std::uint32_t childVisible = 0x50000000u;
        std::size_t at = 0;
        if (keyword == "CONTROL") {
            if (a.size() < 8) {
                problem = rest;
                return;
            }
            c.text = Text(a[0]);
            c.id = int(Number(a[1]));
            c.className = Text(a[2]);
            c.style = std::uint32_t(Number(a[3])) | childVisible;
            at = 4;
        } else {
            // The short forms: text, id, x, y, w, h [, style added]. Their
            // classes and default styles are the resource compiler's.
            if (a.size() < 6) {
                problem = rest;
                return;
            }
            c.text = Text(a[0]);
            c.id = int(Number(a[1]));
            at = 2;
            if (keyword == "DEFPUSHBUTTON") {
                c.className = "Button";
                c.style = childVisible | 0x00010000u | 0x0001u;
            } else if (keyword == "PUSHBUTTON") {
                c.className = "Button";
                c.style = childVisible | 0x00010000u;
            } else if (keyword == "LTEXT" || keyword == "CTEXT" || keyword == "RTEXT") {
                c.className = "Static";
                c.style = childVisible | 0x00020000u | (keyword == "CTEXT" ? 1u : keyword == "RTEXT" ? 2u : 0u);
            } else {
                problem = keyword;
                return;
            }
            if (a.size() > 6) c.style |= std::uint32_t(Number(a[6]));
        }
        c.x = int(Number(a[at]));
        c.y = int(Number(a[at + 1]));
        c.w = int(Number(a[at + 2]));
        c.h = int(Number(a[at + 3]));
        d.controls.push_back(c);
    }

    void Parse(const std::string& script) {
        std::istringstream in(script);
        std::string line;
        RcDialog* dialog = nullptr;
        std::vector<MenuItem>* menu = nullptr;
        int menuDepth = 0;
        bool inBody = false;
        std::string keyword, statement;
        auto flush = [&]() {
            if (!keyword.empty() && dialog != nullptr) Control(keyword, statement, *dialog);
            keyword.clear();
            statement.clear();
        };
        while (std::getline(in, line)) {
            if (const std::size_t comment = line.find("//"); comment != std::string::npos && line.find('"') > comment) {
                line = line.substr(0, comment);
            }
            std::istringstream words(line);
            std::string first, second;
            words >> first >> second;
            if (first.empty()) continue;
            if (menu != nullptr) {
                if (first == "BEGIN") ++menuDepth;
                if (first == "END" && --menuDepth == 0) menu = nullptr;
                if (first == "MENUITEM") {
                    std::string rest;
                    std::getline(words, rest);
                    if (second == "SEPARATOR") {
                        menu->push_back(MenuItem{0, ""});
                    } else {
                        const std::vector<std::string> a = Arguments(second + rest);
                        if (a.size() != 2) problem = line;
                        else menu->push_back(MenuItem{int(Number(a[1])), Text(a[0])});
                    }
                } else if (first == "POPUP" && menuDepth != 1) {
                    problem = line;  // a nested pop-up: the program's menus have none
                }
                continue;
            }
            if (dialog == nullptr && second == "MENU") {
                std::string t;
                long id = 0;
                if (!Term(first, t, id)) problem = line;
                menu = &menus[int(id)];
                menuDepth = 0;
                continue;
            }
            if (dialog == nullptr) {
                if (second != "DIALOGEX") continue;
                std::string name = first;
                long id = 0;
                std::string t;
                if (!Term(name, t, id)) {
                    problem = line;
                    continue;
                }
                dialog = &dialogs[int(id)];
                std::string rest;
                std::getline(words, rest);
                const std::vector<std::string> a = Arguments(rest);
                if (a.size() < 4) {
                    problem = line;
                    continue;
                }
                dialog->x = int(Number(a[0]));
                dialog->y = int(Number(a[1]));
                dialog->w = int(Number(a[2]));
                dialog->h = int(Number(a[3]));
                inBody = false;
                continue;
            }
            std::string rest;
            std::getline(words, rest);
            rest = second + rest;
            if (!inBody) {
                if (first == "STYLE") dialog->style = std::uint32_t(Number(rest));
                if (first == "FONT") {
                    const std::vector<std::string> a = Arguments(rest);
                    dialog->fontSize = int(Number(a[0]));
                    dialog->font = a.size() > 1 ? Text(a[1]) : "";
                }
                if (first == "BEGIN") inBody = true;
                continue;
            }
            if (first == "END") {
                flush();
                dialog = nullptr;
                continue;
            }
            if (first == "CONTROL" || first == "DEFPUSHBUTTON" || first == "PUSHBUTTON" || first == "LTEXT" ||
                first == "CTEXT" || first == "RTEXT") {
                flush();
                keyword = first;
                statement = line.substr(line.find(first) + first.size());
            } else if (!keyword.empty()) {
                statement += " " + line;  // a statement continued on the next line
            } else {
                problem = line;
            }
        }
    }

    std::map<std::string, std::string> defines_;
};

// Dialog units to pixels as the simulated desktop's fonts work them out:
// "System" 10 points has 2 pixels a unit both ways, "Times New Roman"
// 9 points 3/2 across and 15/8 down.
struct Units {
    int xNum, xDen, yNum, yDen;
};
Units UnitsOf(const RcDialog& d) {
    if (d.font == "System" && d.fontSize == 10) return Units{2, 1, 2, 1};
    if (d.font == "Times New Roman" && d.fontSize == 9) return Units{3, 2, 15, 8};
    ADD_FAILURE() << "no base units for " << d.font << " " << d.fontSize;
    return Units{1, 1, 1, 1};
}

TEST(FakeAsWindows, DialogTemplatesAreTheResourceScripts) {
    const ResourceScript rc;
    ASSERT_EQ(rc.problem, "");
    FakeDesktop desk;
    // The program's dialogs: the script has these and no other.
    std::vector<int> scripted, simulated;
    for (const auto& [id, d] : rc.dialogs) scripted.push_back(id);
    for (int id : {100, 102, 130, 149}) {
        simulated.push_back(id);
        ASSERT_TRUE(desk.dialogs.templates.count(id)) << id;
    }
    EXPECT_EQ(scripted, simulated);

    // Compared: each control's id, class, text and the styles the program
    // or the dialog manager acts on (the control's own low 16 bits and
    // WS_TABSTOP; WS_CHILD and WS_VISIBLE are every control's, the
    // simulation shows them all). Positions: the dialog's size and each
    // control's top-left corner in pixels from the script's dialog units;
    // a control's size too, except a bitmap static without
    // SS_REALSIZEIMAGE, which takes the size of its picture.
    constexpr std::uint32_t kStylesCompared = 0x0001FFFFu;
    for (int id : simulated) {
        SCOPED_TRACE("dialog " + std::to_string(id));
        const RcDialog& d = rc.dialogs.at(id);
        const fake::FakeTemplate& t = desk.dialogs.templates.at(id);
        const Units u = UnitsOf(d);
        auto px = [&](int x) { return x * u.xNum / u.xDen; };
        auto py = [&](int y) { return y * u.yNum / u.yDen; };
        EXPECT_EQ(t.rect, (Rect{px(d.x), py(d.y), px(d.x + d.w), py(d.y + d.h)}));
        EXPECT_EQ(t.visible, (d.style & 0x10000000u) != 0);
        ASSERT_EQ(t.controls.size(), d.controls.size());
        for (std::size_t i = 0; i < d.controls.size(); ++i) {
            const RcControl& r = d.controls[i];
            const fake::FakeControl& f = t.controls[i];
            SCOPED_TRACE("control " + std::to_string(i) + " (" + r.text.substr(0, 12) + ")");
            EXPECT_EQ(f.id, r.id);
            EXPECT_EQ(f.className, r.className);
            EXPECT_EQ(f.text, r.text);
            EXPECT_EQ(f.style & kStylesCompared, r.style & kStylesCompared)
                << std::hex << f.style << " against " << r.style;
            EXPECT_EQ(f.rect.left, px(r.x));
            EXPECT_EQ(f.rect.top, py(r.y));
            const bool sizedByPicture = r.className == "Static" && (r.style & 0x1Fu) == 0x0Eu && (r.style & 0x0800u) == 0;
            if (sizedByPicture) {
                ASSERT_TRUE(desk.dialogs.bitmaps.count(r.text)) << r.text;
                const Point picture = desk.dialogs.bitmaps.at(r.text);
                EXPECT_EQ(f.rect.right - f.rect.left, picture.x);
                EXPECT_EQ(f.rect.bottom - f.rect.top, picture.y);
            } else {
                EXPECT_EQ(f.rect.right, px(r.x + r.w));
                EXPECT_EQ(f.rect.bottom, py(r.y + r.h));
            }
        }
    }
}

// The pop-up menus the simulation loads for 6000 and 7000 are the script's.
TEST(FakeAsWindows, MenusAreTheResourceScripts) {
    const ResourceScript rc;
    ASSERT_EQ(rc.problem, "");
    FakeDesktop desk;
    std::vector<int> scripted, simulated;
    for (const auto& [id, m] : rc.menus) scripted.push_back(id);
    for (const auto& [id, m] : desk.menus.menuResources) simulated.push_back(id);
    EXPECT_EQ(scripted, (std::vector<int>{6000, 7000}));
    EXPECT_EQ(simulated, scripted);
    for (const auto& [id, items] : rc.menus) {
        SCOPED_TRACE(id);
        const auto& fake = desk.menus.menuResources[id];
        ASSERT_EQ(fake.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(fake[i].command, items[i].command) << i;
            EXPECT_EQ(fake[i].text, items[i].text) << i;
            EXPECT_TRUE(fake[i].enabled) << i;  // none is greyed in the script
        }
    }
}

}  // namespace
}  // namespace lv
