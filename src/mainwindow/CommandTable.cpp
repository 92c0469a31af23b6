#include "CommandTable.h"

namespace {

CommandInfo gated(const char* code, const char* category, const char* caption, const char* buttonText = "",
                  const char* menuText = "") {
    return {QStringLiteral("Action") + QLatin1String(code), QString::fromUtf8(category), QString::fromUtf8(caption),
            QLatin1String(code), QString(), QString::fromUtf8(buttonText), QString::fromUtf8(menuText)};
}

CommandInfo follower(const char* name, const char* caption, const char* follows) {
    return {QLatin1String(name), QStringLiteral("从编辑"), QString::fromUtf8(caption), QString(),
            QLatin1String(follows), QString(), QString()};
}

const CommandInfo* find(const QString& name) {
    for (const CommandInfo& c : commandTable())
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace

const QList<CommandInfo>& commandTable() {
    static const QList<CommandInfo> table{
        gated("101", "文件", "驾校信息", "", "驾校档案"),
        gated("102", "文件", "更改密码"),
        gated("103", "文件", "用户权限"),
        gated("104", "文件", "选项..."),
        gated("105", "文件", "自定义设置"),
        gated("201", "编辑", "新增"),
        gated("202", "编辑", "修改"),
        gated("203", "编辑", "删除"),
        gated("204", "编辑", "排序...", "排序"),
        gated("205", "编辑", "显示字段选择"),
        gated("206", "编辑", "保存当前网格"),
        gated("207", "编辑", "复制"),
        gated("208", "编辑", "学员补考"),
        gated("209", "编辑", "员工档案"),
        gated("210", "编辑", "车辆档案"),
        gated("211", "编辑", "学员收款"),
        gated("301", "输出", "导出"),
        gated("302", "输出", "报表设计"),
        gated("303", "输出", "当前学员详细报表"),
        gated("304", "输出", "当前学员档案列表"),
        gated("305", "输出", "导出学员联系方式"),
        gated("306", "输出", "导出学员身份证号"),
        gated("401", "统计", "统计"),
        gated("402", "统计", "学员提醒", "档案提醒"),
        gated("403", "统计", "学员档案综合统计"),
        gated("404", "统计", "学员补考统计分析"),
        gated("405", "统计", "学员档案科目统计"),
        gated("406", "统计", "学员收款明细统计"),
        gated("407", "统计", "学员收款汇总统计"),
        gated("501", "数据", "导入学员资料"),
        gated("502", "数据", "系统数据清理"),
        gated("503", "数据", "数据备份恢复"),
        gated("504", "数据", "压缩修复数据"),
        gated("505", "数据", "连接网络数据"),
        {QStringLiteral("Action506"), QStringLiteral("数据"), QStringLiteral("导入员工档案"), {}, {}, {}, {}},
        {QStringLiteral("Action507"), QStringLiteral("数据"), QStringLiteral("导入车辆档案"), {}, {}, {}, {}},
        follower("Action901", "新增", "Action201"),
        follower("Action902", "修改", "Action202"),
        follower("Action903", "删除", "Action203"),
        follower("Action904", "排序", "Action204"),
        follower("Action905", "显示字段选择", "Action205"),
        follower("Action906", "保存当前网格", "Action206"),
        follower("Action31", "导出", "Action301"),
    };
    return table;
}

const QList<MenuInfo>& menuTable() {
    static const QList<MenuInfo> menus{
        {QStringLiteral("mi100"), QStringLiteral("文件"),
         QStringList{"Action101", "Action102", "Action103", "-", "Action104", "Action105", "-", "N43", "miExit"}},
        {QStringLiteral("mi200"), QStringLiteral("编辑"),
         QStringList{"Action201", "Action207", "Action202", "Action203", "-", "Action209", "Action210", "Action208",
                     "Action211", "-", "Action204", "Action205", "Action206"}},
        {QStringLiteral("mi300"), QStringLiteral("输出"),
         QStringList{"Action301", "Action302", "-", "Action303", "Action304", "Action305", "Action306"}},
        {QStringLiteral("mi400"), QStringLiteral("统计"),
         QStringList{"Action401", "Action402", "-", "Action403", "Action405", "Action404", "Action406", "Action407"}},
        {QStringLiteral("mi500"), QStringLiteral("数据"),
         QStringList{"Action506", "Action507", "Action501", "Action502", "Action503", "-", "Action504", "Action505"}},
        {QStringLiteral("mi600"), QStringLiteral("视图"), QStringList{"miToolBar", "miNavTree", "miStatusBar"}},
        {QStringLiteral("mi700"), QStringLiteral("工具"), QStringList{"miCalculator", "miNotepad"}},
        {QStringLiteral("mi800"), QStringLiteral("帮助"), QStringList{"miReadme", "-", "miAbout"}},
    };
    return menus;
}

QHash<QString, bool> commandVisibility(bool admin, const std::function<bool(const QString& code)>& hasLimit) {
    QHash<QString, bool> visible;
    for (const CommandInfo& c : commandTable())
        if (!c.code.isEmpty()) visible[c.name] = admin || hasLimit(c.code);
    for (const CommandInfo& c : commandTable()) {
        if (!c.follows.isEmpty())
            visible[c.name] = visible.value(c.follows);
        else if (c.code.isEmpty())
            visible[c.name] = true;
    }
    return visible;
}

bool menuVisible(const MenuInfo& menu, const QHash<QString, bool>& visibility) {
    bool hasGated = false;
    for (const QString& entry : menu.entries) {
        const CommandInfo* c = find(entry);
        if (!c || c->code.isEmpty()) continue;
        hasGated = true;
        if (visibility.value(entry)) return true;
    }
    return !hasGated;
}
