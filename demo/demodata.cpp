#include "demo/demodata.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>

#include <algorithm>

#include "common/definitions.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/sysdb.h"

using namespace Qt::StringLiterals;

namespace tess::demo {

namespace {

// ---------------------------------------------------------------------------
// Table designs: one entry per column, in column order, exactly as the
// designer would have stored them in the definition table.

struct Col {
    QString name;
    QString dtype;
    int size = 0;            // declared length of 字符型 columns
    QString caption;         // FAlias; empty: the column name
    QString style;           // FStyle; empty: the usual style of the type
    QStringList options;     // FSelect of drop-down columns
    QString ctype = u"普通型"_s;
};

struct TableDef {
    QString name;
    int keyColumns = 0;      // leading columns marked as key fields
    QList<Col> cols;

};

Col text(const QString& name, int size, const QString& caption = {})
{
    return {name, u"字符型"_s, size, caption};
}

Col pick(const QString& name, int size, const QStringList& options, const QString& caption = {})
{
    return {name, u"字符型"_s, size, caption, u"单选下拉框"_s, options};
}

Col multi(const QString& name, int size, const QStringList& options, const QString& caption = {})
{
    return {name, u"字符型"_s, size, caption, u"多选下拉框"_s, options};
}

Col typed(const QString& name, const QString& dtype, const QString& caption = {}, const QString& ctype = u"普通型"_s)
{
    Col c{name, dtype, 0, caption};
    c.ctype = ctype;
    return c;
}

QString styleOf(const Col& c)
{
    if (!c.style.isEmpty())
        return c.style;
    if (c.dtype == u"备注型"_s)
        return u"备注框"_s;
    if (c.dtype == u"图像型"_s)
        return u"图像框"_s;
    return u"文本框"_s;
}

const QStringList kDepartments{u"办公室"_s, u"人事部"_s, u"财务部"_s, u"销售部"_s,
                               u"技术部"_s, u"生产部"_s, u"仓储部"_s};
const QStringList kEducation{u"高中"_s, u"中专"_s, u"大专"_s, u"本科"_s, u"硕士"_s, u"博士"_s};
const QStringList kTalents{u"计算机"_s, u"外语"_s, u"驾驶"_s, u"写作"_s, u"书法"_s,
                           u"摄影"_s, u"音乐"_s, u"体育"_s, u"财会"_s};
const QStringList kCategories{u"办公用品"_s, u"电脑配件"_s, u"家用电器"_s, u"日用百货"_s, u"食品饮料"_s};
const QStringList kUnits{u"个"_s, u"台"_s, u"箱"_s, u"包"_s, u"盒"_s, u"把"_s, u"罐"_s, u"瓶"_s, u"件"_s};
const QStringList kStores{u"一号仓库"_s, u"二号仓库"_s, u"三号仓库"_s};
const QStringList kPayments{u"现金"_s, u"转账"_s, u"支票"_s, u"汇票"_s};
const QStringList kOrderStates{u"待发货"_s, u"已发货"_s, u"已完成"_s, u"已取消"_s};
const QStringList kContractKinds{u"购销合同"_s, u"服务合同"_s, u"租赁合同"_s, u"代理合同"_s};
const QStringList kContractStates{u"执行中"_s, u"已到期"_s, u"已终止"_s};

const QList<TableDef>& designs()
{
    static const QList<TableDef> tables{
        {u"职工"_s, 1,
         {text(u"工号"_s, 10), text(u"姓名"_s, 20), pick(u"性别"_s, 2, {u"男"_s, u"女"_s}),
          pick(u"部门"_s, 20, kDepartments), typed(u"出生日期"_s, u"日期型"_s),
          typed(u"参加工作日期"_s, u"日期型"_s), pick(u"学历"_s, 10, kEducation), text(u"职务"_s, 20),
          typed(u"工资"_s, u"货币型"_s, u"月工资"_s), multi(u"特长"_s, 60, kTalents, u"个人特长"_s),
          text(u"电话"_s, 20, u"联系电话"_s), typed(u"简历"_s, u"备注型"_s, u"个人简历"_s),
          typed(u"照片"_s, u"图像型"_s)}},
        {u"订单"_s, 1,
         {text(u"订单号"_s, 16), typed(u"订单日期"_s, u"日期型"_s), text(u"客户名称"_s, 40),
          text(u"联系人"_s, 10), text(u"联系电话"_s, 20), text(u"业务员"_s, 10),
          pick(u"付款方式"_s, 10, kPayments), pick(u"订单状态"_s, 10, kOrderStates),
          typed(u"总金额"_s, u"货币型"_s, u"订单总金额"_s), typed(u"交货日期"_s, u"日期型"_s),
          typed(u"备注"_s, u"备注型"_s)}},
        {u"订单明细"_s, 1,
         {typed(u"序号"_s, u"自动型"_s), text(u"订单号"_s, 16), text(u"商品编号"_s, 10),
          text(u"商品名称"_s, 40), typed(u"数量"_s, u"整数型"_s, {}, u"计算型"_s),
          typed(u"单价"_s, u"货币型"_s, {}, u"计算型"_s), typed(u"金额"_s, u"货币型"_s, {}, u"结果型"_s),
          typed(u"税额"_s, u"货币型"_s, {}, u"结果型"_s), text(u"备注"_s, 50)}},
        {u"商品"_s, 1,
         {text(u"编号"_s, 10, u"商品编号"_s), text(u"名称"_s, 40, u"商品名称"_s), pick(u"类别"_s, 20, kCategories),
          text(u"规格"_s, 30), pick(u"单位"_s, 6, kUnits), typed(u"进价"_s, u"货币型"_s),
          typed(u"售价"_s, u"货币型"_s), text(u"供应商"_s, 40), text(u"库存条件"_s, 200, u"库存查询条件"_s),
          typed(u"备注"_s, u"备注型"_s)}},
        {u"库存"_s, 1,
         {text(u"商品编号"_s, 10), text(u"商品名称"_s, 40), text(u"单位"_s, 6), pick(u"仓库"_s, 20, kStores),
          typed(u"库存数量"_s, u"整数型"_s), typed(u"最低库存"_s, u"整数型"_s), text(u"存放位置"_s, 20)}},
        {u"出库明细"_s, 1,
         {typed(u"序号"_s, u"自动型"_s), text(u"出库单号"_s, 16), typed(u"出库日期"_s, u"日期型"_s),
          text(u"商品编号"_s, 10), text(u"商品名称"_s, 40), typed(u"数量"_s, u"整数型"_s, u"出库数量"_s),
          pick(u"领用部门"_s, 20, kDepartments), text(u"经手人"_s, 10), text(u"备注"_s, 50)}},
        {u"合同"_s, 1,
         {text(u"合同编号"_s, 16), text(u"合同名称"_s, 60), text(u"客户"_s, 40),
          pick(u"合同类型"_s, 10, kContractKinds), typed(u"签订日期"_s, u"日期型"_s),
          typed(u"到期日"_s, u"日期型"_s, u"合同到期日"_s), typed(u"合同金额"_s, u"货币型"_s),
          text(u"经办人"_s, 10), pick(u"合同状态"_s, 10, kContractStates), typed(u"合同内容"_s, u"备注型"_s)}},
    };
    return tables;
}

// ---------------------------------------------------------------------------
// The configuration of the data directory's sys.ini.

enum class Write {
    Replace,       // the section is the demo's own: erased, then written
    Merge,         // a shared list: the demo's keys are written, others stay
    KeepExisting,  // only keys that are missing are written
};

struct Section {
    QString name;
    Write mode;
    QList<std::pair<QString, QString>> entries;
};

const QList<Section>& configuration()
{
    static const QList<Section> sections{
        {u"Form"_s, Write::KeepExisting,
         {{u"SysName"_s, u"Tessaly"_s}, {u"DBSysName"_s, u"人事"_s}, {u"TableName"_s, u"职工"_s}}},
        // Information systems and their tables.
        {u"SysName"_s, Write::Merge, {{u"人事"_s, u"职工"_s}, {u"销售管理"_s, u"订单"_s}}},
        {u"人事Table"_s, Write::Replace, {{u"职工"_s, u"职工"_s}}},
        {u"销售管理Table"_s, Write::Replace,
         {{u"订单"_s, u"订单"_s}, {u"订单明细"_s, u"订单明细"_s}, {u"商品"_s, u"商品"_s},
          {u"库存"_s, u"库存"_s}, {u"出库明细"_s, u"出库明细"_s}, {u"合同"_s, u"合同"_s}}},
        // Order lines are reached through their order, not from the table menu.
        {u"TableVisite"_s, Write::Merge, {{u"订单明细"_s, u"0"_s}}},
        // Relations: an order with its lines, a product with its stock rows.
        {u"销售管理订单AssoTable"_s, Write::Replace, {{u"订单明细"_s, u"订单号>订单号"_s}}},
        {u"商品QueryAsso"_s, Write::Replace, {{u"库存"_s, u"库存条件"_s}}},
        // Numbering, duplicate warnings and default orders.
        {u"订单AutoID"_s, Write::Replace, {{u"订单号"_s, u"DD+年月日分类编号"_s}}},
        {u"职工AutoID"_s, Write::Replace, {{u"工号"_s, u"ZG+连续编号"_s}}},
        {u"商品RepeatName"_s, Write::Replace, {{u"编号"_s, u"编号"_s}, {u"名称"_s, u"名称"_s}}},
        {u"订单RepeatName"_s, Write::Replace, {{u"订单号"_s, u"订单号"_s}}},
        {u"职工RepeatName"_s, Write::Replace, {{u"工号"_s, u"工号"_s}}},
        {u"OrderField"_s, Write::Merge, {{u"职工"_s, u"部门 ASC,工号 ASC"_s}, {u"合同"_s, u"到期日 ASC"_s}}},
        // Amounts of an order line and their total in the order.
        {u"销售管理订单明细Formula"_s, Write::Replace, {{u"金额"_s, u"数量*单价"_s}, {u"税额"_s, u"金额*0.17"_s}}},
        {u"销售管理订单明细订单SummationField"_s, Write::Replace, {{u"金额"_s, u"总金额"_s}}},
        // An issue note lowers the stock of its product.
        {u"销售管理出库明细AllayField"_s, Write::Replace, {{u"数量"_s, u"库存.库存数量"_s}}},
        {u"销售管理出库明细AllayKeyField"_s, Write::Replace, {{u"库存"_s, u"商品编号>商品编号"_s}}},
        {u"销售管理出库明细库存AllaySameField"_s, Write::Replace,
         {{u"商品编号"_s, u"商品编号"_s}, {u"商品名称"_s, u"商品名称"_s}}},
        // Products picked into order lines and issue notes; lines inherit their order number.
        {u"销售管理订单明细OrientationField"_s, Write::Replace, {{u"商品编号"_s, u"商品"_s}}},
        {u"销售管理订单明细商品CitationField"_s, Write::Replace,
         {{u"商品编号"_s, u"编号"_s}, {u"商品名称"_s, u"名称"_s}, {u"单价"_s, u"售价"_s}}},
        {u"销售管理订单明细HomologyField"_s, Write::Replace, {{u"订单号"_s, u"订单号"_s}}},
        {u"销售管理出库明细OrientationField"_s, Write::Replace, {{u"商品编号"_s, u"商品"_s}}},
        {u"销售管理出库明细商品CitationField"_s, Write::Replace,
         {{u"商品编号"_s, u"编号"_s}, {u"商品名称"_s, u"名称"_s}}},
        // Contracts falling due within a week are listed at start-up.
        {u"Awoke"_s, Write::Merge, {{u"合同"_s, u"到期日"_s}}},
        {u"合同Awoke"_s, Write::Replace, {{u"Day"_s, u"7"_s}, {u"Caption"_s, u"合同名称"_s}, {u"Memo"_s, u"客户"_s}}},
    };
    return sections;
}

// ---------------------------------------------------------------------------
// Records.

class Dice {
public:
    explicit Dice(quint32 seed) : g(seed) {}
    // Inclusive at both ends.
    int between(int lo, int hi) { return lo + int(g.bounded(quint32(hi - lo + 1))); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    const QString& pick(const QStringList& l) { return l.at(between(0, int(l.size()) - 1)); }
    // Picks by weight; weights[i] belongs to l[i].
    const QString& pick(const QStringList& l, const QList<int>& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = between(1, total);
        for (int i = 0; i < l.size(); ++i) {
            r -= weights.at(i);
            if (r <= 0)
                return l.at(i);
        }
        return l.last();
    }

private:
    QRandomGenerator g;
};

const QStringList kSurnames{
    u"王"_s, u"李"_s, u"张"_s, u"刘"_s, u"陈"_s, u"杨"_s, u"黄"_s, u"赵"_s, u"吴"_s, u"周"_s, u"徐"_s, u"孙"_s,
    u"马"_s, u"朱"_s, u"胡"_s, u"郭"_s, u"何"_s, u"高"_s, u"林"_s, u"罗"_s, u"郑"_s, u"梁"_s, u"谢"_s, u"宋"_s,
    u"唐"_s, u"许"_s, u"韩"_s, u"冯"_s, u"邓"_s, u"曹"_s, u"彭"_s, u"曾"_s, u"肖"_s, u"田"_s, u"董"_s, u"袁"_s,
    u"潘"_s, u"蒋"_s, u"蔡"_s, u"余"_s, u"杜"_s, u"叶"_s, u"程"_s, u"苏"_s, u"魏"_s, u"吕"_s, u"丁"_s, u"沈"_s};
const QStringList kMaleNames{
    u"伟"_s, u"强"_s, u"磊"_s, u"军"_s, u"勇"_s, u"杰"_s, u"涛"_s, u"斌"_s, u"超"_s, u"明"_s, u"刚"_s,
    u"辉"_s, u"鹏"_s, u"飞"_s, u"波"_s, u"浩"_s, u"凯"_s, u"俊"_s, u"建国"_s, u"志强"_s, u"建华"_s,
    u"海涛"_s, u"文博"_s, u"子豪"_s, u"晓东"_s, u"国栋"_s, u"振华"_s, u"宏伟"_s, u"立新"_s, u"永刚"_s};
const QStringList kFemaleNames{
    u"芳"_s, u"娜"_s, u"敏"_s, u"静"_s, u"丽"_s, u"艳"_s, u"娟"_s, u"霞"_s, u"燕"_s, u"玲"_s, u"婷"_s,
    u"雪"_s, u"琳"_s, u"颖"_s, u"倩"_s, u"慧"_s, u"秀英"_s, u"晓燕"_s, u"丽娟"_s, u"雅琴"_s, u"思雨"_s,
    u"欣怡"_s, u"诗涵"_s, u"梦瑶"_s, u"婉清"_s, u"春梅"_s, u"玉兰"_s, u"海燕"_s, u"桂芳"_s, u"晓红"_s};
const QStringList kUniversities{u"北京大学"_s, u"清华大学"_s, u"复旦大学"_s, u"浙江大学"_s, u"武汉大学"_s,
                                u"南京大学"_s, u"中山大学"_s, u"四川大学"_s, u"山东大学"_s, u"吉林大学"_s,
                                u"湖南大学"_s, u"厦门大学"_s};
const QStringList kColleges{u"深圳职业技术学院"_s, u"南京工业职业技术学院"_s, u"武汉职业技术学院"_s,
                            u"浙江金融职业学院"_s, u"北京信息职业技术学院"_s};
const QStringList kMajors{u"计算机科学与技术"_s, u"会计学"_s, u"市场营销"_s, u"工商管理"_s,
                          u"机械设计制造及其自动化"_s, u"汉语言文学"_s, u"英语"_s, u"物流管理"_s,
                          u"电子信息工程"_s, u"人力资源管理"_s};
const QStringList kCustomers{
    u"北京华信科技有限公司"_s, u"上海东方贸易有限公司"_s, u"广州宏达电子有限公司"_s,
    u"深圳创新办公设备有限公司"_s, u"杭州西湖商贸有限公司"_s, u"南京金陵实业有限公司"_s,
    u"武汉长江物流有限公司"_s, u"成都天府信息技术有限公司"_s, u"重庆山城百货有限公司"_s,
    u"天津海河机械有限公司"_s, u"苏州园区电子有限公司"_s, u"西安古城文化传播有限公司"_s,
    u"长沙湘江贸易有限公司"_s, u"郑州中原食品有限公司"_s, u"济南泉城建材有限公司"_s,
    u"青岛海滨酒店管理有限公司"_s, u"合肥科大讯通有限公司"_s, u"福州闽江家电有限公司"_s,
    u"昆明春城旅游有限公司"_s, u"沈阳北方重工有限公司"_s};

struct Goods {
    QString name, category, model, unit;   // model: 规格
    double cost, price;
    QString supplier, note;
};

const QList<Goods>& goods()
{
    static const QList<Goods> list{
        {u"A4复印纸"_s, u"办公用品"_s, u"70g 500张×5包"_s, u"箱"_s, 98.00, 125.00, u"晨光文具"_s, {}},
        {u"中性笔"_s, u"办公用品"_s, u"0.5mm 黑色 12支"_s, u"盒"_s, 15.00, 24.00, u"晨光文具"_s, {}},
        {u"文件夹"_s, u"办公用品"_s, u"A4 蓝色 10个"_s, u"包"_s, 22.00, 35.00, u"得力集团"_s, {}},
        {u"订书机"_s, u"办公用品"_s, u"12号 标准型"_s, u"个"_s, 11.50, 18.00, u"得力集团"_s, {}},
        {u"计算器"_s, u"办公用品"_s, u"12位 太阳能"_s, u"个"_s, 28.00, 45.00, u"得力集团"_s, {}},
        {u"笔记本"_s, u"办公用品"_s, u"B5 80页 5本"_s, u"包"_s, 16.00, 26.00, u"晨光文具"_s, {}},
        {u"白板笔"_s, u"办公用品"_s, u"可擦 10支"_s, u"盒"_s, 12.00, 19.90, u"晨光文具"_s, {}},
        {u"无线鼠标"_s, u"电脑配件"_s, u"2.4G 办公型"_s, u"个"_s, 39.00, 69.00, u"罗技科技"_s, {}},
        {u"机械键盘"_s, u"电脑配件"_s, u"104键 青轴"_s, u"个"_s, 189.00, 299.00, u"罗技科技"_s, {}},
        {u"液晶显示器"_s, u"电脑配件"_s, u"27英寸 2K"_s, u"台"_s, 980.00, 1399.00, u"戴尔电脑"_s,
         u"易碎品，搬运时轻拿轻放。"_s},
        {u"移动硬盘"_s, u"电脑配件"_s, u"1TB USB3.0"_s, u"个"_s, 265.00, 369.00, u"希捷科技"_s, {}},
        {u"U盘"_s, u"电脑配件"_s, u"64GB USB3.0"_s, u"个"_s, 32.00, 55.00, u"金士顿"_s, {}},
        {u"无线路由器"_s, u"电脑配件"_s, u"双频 千兆"_s, u"台"_s, 158.00, 239.00, u"普联技术"_s, {}},
        {u"激光打印机"_s, u"电脑配件"_s, u"黑白 A4"_s, u"台"_s, 899.00, 1280.00, u"惠普中国"_s,
         u"整机保修一年，硒鼓另购。"_s},
        {u"打印机硒鼓"_s, u"电脑配件"_s, u"适用M1136"_s, u"个"_s, 85.00, 138.00, u"惠普中国"_s, {}},
        {u"电热水壶"_s, u"家用电器"_s, u"1.7L 不锈钢"_s, u"台"_s, 69.00, 109.00, u"美的集团"_s, {}},
        {u"空气净化器"_s, u"家用电器"_s, u"除甲醛 60㎡"_s, u"台"_s, 899.00, 1299.00, u"美的集团"_s, {}},
        {u"电风扇"_s, u"家用电器"_s, u"落地 遥控"_s, u"台"_s, 159.00, 239.00, u"格力电器"_s,
         u"季节性商品，四月起备货。"_s},
        {u"微波炉"_s, u"家用电器"_s, u"20L 转盘"_s, u"台"_s, 329.00, 459.00, u"格兰仕"_s, {}},
        {u"吸尘器"_s, u"家用电器"_s, u"无线 手持"_s, u"台"_s, 599.00, 899.00, u"海尔集团"_s, {}},
        {u"饮水机"_s, u"家用电器"_s, u"立式 冷热"_s, u"台"_s, 420.00, 628.00, u"海尔集团"_s, {}},
        {u"保温杯"_s, u"日用百货"_s, u"500ml 不锈钢"_s, u"个"_s, 45.00, 79.00, u"富光实业"_s, {}},
        {u"折叠雨伞"_s, u"日用百货"_s, u"三折 晴雨两用"_s, u"把"_s, 25.00, 45.00, u"天堂伞业"_s, {}},
        {u"纯棉毛巾"_s, u"日用百货"_s, u"76×34cm 3条"_s, u"包"_s, 18.00, 32.00, u"洁丽雅"_s, {}},
        {u"收纳箱"_s, u"日用百货"_s, u"60L 带轮"_s, u"个"_s, 38.00, 65.00, u"茶花家居"_s, {}},
        {u"抽纸"_s, u"日用百货"_s, u"3层 24包"_s, u"箱"_s, 42.00, 59.90, u"清风纸业"_s, {}},
        {u"矿泉水"_s, u"食品饮料"_s, u"550ml×24瓶"_s, u"箱"_s, 22.00, 36.00, u"农夫山泉"_s, {}},
        {u"龙井茶"_s, u"食品饮料"_s, u"250g 罐装"_s, u"罐"_s, 68.00, 118.00, u"西湖茶业"_s, {}},
        {u"速溶咖啡"_s, u"食品饮料"_s, u"1.8kg 100条"_s, u"盒"_s, 65.00, 99.00, u"雀巢中国"_s, {}},
        {u"苏打饼干"_s, u"食品饮料"_s, u"1kg 箱装"_s, u"箱"_s, 26.00, 42.00, u"康师傅"_s,
         u"保质期十二个月，先进先出。"_s},
    };
    return list;
}

QString goodsCode(int i)
{
    return u"SP%1"_s.arg(i + 1, 4, 10, QLatin1Char('0'));
}

// Money to the cent, and a tax amount to the four decimals a Money column keeps.
double cents(double v)
{
    return double(qRound64(v * 100)) / 100;
}
double tenThousandths(double v)
{
    return double(qRound64(v * 10000)) / 10000;
}

// A small head-and-shoulders picture as the bytes of a Windows bitmap file.
QByteArray portrait(QRgb background, QRgb hair, QRgb shirt, bool longHair)
{
    const int w = 72, h = 96;
    const QRgb skin = qRgb(240, 204, 172);
    const QRgb eye = qRgb(40, 30, 30);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x - 36.0, hy = y - 34.0, sy = y - 100.0;
            QRgb c = background;
            if (longHair && std::abs(dx) <= 18 && y >= 24 && y <= 60)
                c = hair;
            if (dx * dx / (30.0 * 30.0) + sy * sy / (34.0 * 34.0) <= 1.0)
                c = shirt;
            else if (std::abs(dx) <= 6 && y >= 46 && y <= 66)
                c = skin;
            if (dx * dx / (15.0 * 15.0) + hy * hy / (18.0 * 18.0) <= 1.0)
                c = hy < -7 ? hair : skin;
            if ((std::abs(dx - 6) <= 1 || std::abs(dx + 6) <= 1) && std::abs(hy - 1) <= 1)
                c = eye;
            img.setPixel(x, y, c);
        }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return bytes;
}

using Rows = QList<QVariantList>;

struct Records {
    QHash<QString, Rows> rows;   // per table, values in column order
};

struct Person {
    QString name, dept, post;
};

class Generator {
public:
    explicit Generator(const QDate& today) : today(today), dice(20050317) {}

    Records make()
    {
        staff();
        products();
        issues();
        stock();
        orders();
        contracts();
        return out;
    }

private:
    QString personName(bool male)
    {
        for (;;) {
            const QString surname = dice.pick(kSurnames);
            const QString n = surname + dice.pick(male ? kMaleNames : kFemaleNames);
            if (!usedNames.contains(n)) {
                usedNames.insert(n);
                return n;
            }
        }
    }

    QString phone()
    {
        static const QStringList prefixes{u"130"_s, u"135"_s, u"138"_s, u"139"_s, u"150"_s,
                                          u"158"_s, u"186"_s, u"189"_s};
        const QString prefix = dice.pick(prefixes);
        return prefix + u"%1"_s.arg(dice.between(0, 99999999), 8, 10, QLatin1Char('0'));
    }

    QStringList namesIn(const QString& dept) const
    {
        QStringList l;
        for (const Person& p : people)
            if (p.dept == dept)
                l << p.name;
        return l;
    }

    void staff()
    {
        struct Dept {
            QString name;
            int count;
            QString head, deputy;
            QStringList posts;
        };
        const QList<Dept> depts{
            {u"办公室"_s, 5, u"主任"_s, u"副主任"_s, {u"秘书"_s, u"文员"_s, u"司机"_s}},
            {u"人事部"_s, 4, u"经理"_s, u"副经理"_s, {u"人事专员"_s, u"招聘专员"_s, u"培训专员"_s}},
            {u"财务部"_s, 5, u"经理"_s, u"副经理"_s, {u"会计"_s, u"出纳"_s, u"审计员"_s}},
            {u"销售部"_s, 14, u"经理"_s, u"副经理"_s, {u"销售代表"_s, u"销售主管"_s, u"客户经理"_s}},
            {u"技术部"_s, 12, u"经理"_s, u"副经理"_s, {u"工程师"_s, u"高级工程师"_s, u"技术员"_s}},
            {u"生产部"_s, 12, u"经理"_s, u"副经理"_s, {u"车间主任"_s, u"技术员"_s, u"操作工"_s, u"质检员"_s}},
            {u"仓储部"_s, 8, u"经理"_s, u"副经理"_s, {u"仓管员"_s, u"配送员"_s, u"搬运工"_s}},
        };
        const QHash<QString, int> graduationAge{{u"高中"_s, 18}, {u"中专"_s, 19}, {u"大专"_s, 21},
                                                {u"本科"_s, 22}, {u"硕士"_s, 25}, {u"博士"_s, 28}};
        const QHash<QString, QString> degree{{u"大专"_s, u"大专学历"_s}, {u"本科"_s, u"学士学位"_s},
                                             {u"硕士"_s, u"硕士学位"_s}, {u"博士"_s, u"博士学位"_s}};
        Rows& rows = out.rows[u"职工"_s];
        int number = 0;
        for (const Dept& d : depts)
            for (int k = 0; k < d.count; ++k) {
                ++number;
                const bool male = dice.chance(d.name == u"财务部"_s || d.name == u"人事部"_s ? 35 : 60);
                const QString name = personName(male);
                const QString post = k == 0 ? d.head : k == 1 && d.count >= 8 ? d.deputy : dice.pick(d.posts);
                people.append({name, d.name, post});

                const QString edu = dice.pick(kEducation, {5, 10, 25, 45, 12, 3});
                const int gradAge = graduationAge.value(edu);
                const int age = dice.between(std::max(23, gradAge + 1), 58);
                const QDate birth = today.addYears(-age).addDays(-dice.between(0, 364));
                const int graduated = birth.year() + gradAge;   // in July
                QDate started = QDate(graduated, 7, 1).addDays(dice.between(10, 200));
                if (started > today.addDays(-30))
                    started = today.addDays(-30);

                int pay = dice.between(450, 900) * 10;
                if (post == d.head)
                    pay = dice.between(1200, 1600) * 10;
                else if (post == d.deputy || post == u"高级工程师"_s)
                    pay = dice.between(900, 1250) * 10;

                QStringList talents;
                const int nTalents = dice.between(0, 3);
                for (int t = 0; t < nTalents; ++t) {
                    const QString s = dice.pick(kTalents);
                    if (!talents.contains(s))
                        talents << s;
                }
                std::sort(talents.begin(), talents.end(),
                          [](const QString& a, const QString& b) { return kTalents.indexOf(a) < kTalents.indexOf(b); });

                QString school;
                if (degree.contains(edu)) {
                    const QString university = dice.pick(edu == u"大专"_s ? kColleges : kUniversities);
                    const QString major = dice.pick(kMajors);
                    school = u"%1年7月毕业于%2%3专业，获%4。"_s.arg(graduated)
                                 .arg(university, major, degree.value(edu));
                } else {
                    school = u"%1年7月毕业于%2。"_s.arg(graduated)
                                 .arg(edu == u"中专"_s ? u"市职业技术学校"_s
                                                       : u"本市第%1中学"_s.arg(dice.between(1, 12)));
                }
                const QString resume = school + u"\r\n"_s
                                       + u"%1年%2月参加工作，现任%3%4。"_s.arg(started.year())
                                             .arg(started.month())
                                             .arg(d.name, post);

                QVariant photo;
                if (number <= 3) {
                    static const QRgb backgrounds[] = {qRgb(200, 220, 240), qRgb(245, 225, 230), qRgb(225, 240, 215)};
                    static const QRgb shirts[] = {qRgb(40, 70, 130), qRgb(170, 60, 90), qRgb(60, 110, 70)};
                    photo = portrait(backgrounds[number - 1], number == 2 ? qRgb(90, 60, 40) : qRgb(45, 35, 30),
                                     shirts[number - 1], !male);
                }

                rows.append({u"ZG%1"_s.arg(number, 4, 10, QLatin1Char('0')), name, male ? u"男"_s : u"女"_s, d.name,
                             birth, started, edu, post, double(pay),
                             talents.isEmpty() ? QVariant() : QVariant(talents.join(u"、"_s)), phone(), resume, photo});
            }
    }

    void products()
    {
        Rows& rows = out.rows[u"商品"_s];
        for (int i = 0; i < goods().size(); ++i) {
            const Goods& g = goods().at(i);
            // The last few have no stock condition yet: their query tab starts empty.
            const QVariant condition = i < goods().size() - 3 ? QVariant(u"商品编号='%1'"_s.arg(goodsCode(i))) : QVariant();
            rows.append({goodsCode(i), g.name, g.category, g.model, g.unit, g.cost, g.price, g.supplier, condition,
                         g.note.isEmpty() ? QVariant() : QVariant(g.note)});
            const int opening = g.price > 500 ? dice.between(20, 50) : g.price > 100 ? dice.between(60, 150)
                                                                                       : dice.between(150, 400);
            onHand.append(opening);
            openingStock.append(opening);
        }
    }

    // Issue notes, taken out of the opening stock.
    void issues()
    {
        QList<QDate> dates;
        for (int i = 0; i < 70; ++i)
            dates << today.addDays(-dice.between(0, 540));
        std::sort(dates.begin(), dates.end());
        const QStringList keepers = namesIn(u"仓储部"_s);
        const QStringList notes{u"月度领用"_s, u"项目使用"_s, u"临时借用"_s};
        QMap<QDate, int> perDay;
        Rows& rows = out.rows[u"出库明细"_s];
        for (int i = 0; i < dates.size(); ++i) {
            int g = dice.between(0, int(goods().size()) - 1);
            while (onHand.at(g) == 0)
                g = (g + 1) % int(goods().size());
            const double price = goods().at(g).price;
            const int cap = price > 500 ? 3 : price > 100 ? 8 : 20;
            const int qty = dice.between(1, std::min(cap, onHand.at(g)));
            onHand[g] -= qty;
            const QDate d = dates.at(i);
            const int n = ++perDay[d];
            rows.append({i + 1, u"CK%1%2"_s.arg(d.toString(u"yyyyMMdd"_s)).arg(n, 3, 10, QLatin1Char('0')), d,
                         goodsCode(g), goods().at(g).name, qty, dice.pick(kDepartments), dice.pick(keepers),
                         dice.chance(20) ? QVariant(dice.pick(notes)) : QVariant()});
        }
    }

    void stock()
    {
        Rows& rows = out.rows[u"库存"_s];
        for (int i = 0; i < goods().size(); ++i) {
            const Goods& g = goods().at(i);
            const QString store = g.category == u"电脑配件"_s ? kStores.at(1)
                                  : g.category == u"家用电器"_s ? kStores.at(2)
                                                                : kStores.at(0);
            rows.append({goodsCode(i), g.name, g.unit, store, onHand.at(i), std::max(5, openingStock.at(i) / 10),
                         u"%1区%2排%3层"_s.arg(QLatin1Char(char('A' + kStores.indexOf(store))))
                             .arg(dice.between(1, 12))
                             .arg(dice.between(1, 4))});
        }
    }

    // Orders with one to four lines each; amounts follow the order-line formulas.
    void orders()
    {
        QList<QDate> dates;
        for (int i = 0; i < 80; ++i)
            dates << today.addDays(-dice.between(1, 730));
        std::sort(dates.begin(), dates.end());
        const QStringList sellers = namesIn(u"销售部"_s);
        QMap<QDate, int> perDay;
        Rows& orderRows = out.rows[u"订单"_s];
        Rows& lineRows = out.rows[u"订单明细"_s];
        for (const QDate& d : dates) {
            const QString number = u"DD%1%2"_s.arg(d.toString(u"yyyyMMdd"_s)).arg(++perDay[d], 6, 10, QLatin1Char('0'));
            const QString customer = dice.pick(kCustomers);
            const QString contact = personName(dice.chance(50));
            const QDate delivery = d.addDays(dice.between(3, 20));
            QString state;
            if (d < today.addDays(-30))
                state = dice.chance(5) ? u"已取消"_s : u"已完成"_s;
            else
                state = delivery < today ? u"已发货"_s : u"待发货"_s;

            double total = 0;
            QList<int> chosen;
            const int lines = dice.between(1, 4);
            while (chosen.size() < lines) {
                const int g = dice.between(0, int(goods().size()) - 1);
                if (!chosen.contains(g))
                    chosen << g;
            }
            for (int g : chosen) {
                const double price = goods().at(g).price;
                const int qty = price > 500 ? dice.between(1, 5) : price > 100 ? dice.between(1, 12) : dice.between(2, 40);
                const double amount = cents(qty * price);
                total += amount;
                lineRows.append({int(lineRows.size()) + 1, number, goodsCode(g), goods().at(g).name, qty, price, amount,
                                 tenThousandths(amount * 0.17), QVariant()});
            }
            orderRows.append({number, d, customer, contact, phone(), dice.pick(sellers), dice.pick(kPayments), state,
                              cents(total), delivery,
                              dice.chance(15) ? QVariant(u"客户要求送货上门，请提前电话联系。"_s) : QVariant()});
        }
    }

    // Contracts; several fall due in the coming month, a few within the
    // reminder's week.
    void contracts()
    {
        struct Contract {
            QString title, customer, kind;
            QDate signedOn, due;
            double amount;
            QString clerk, state, text;
        };
        const QHash<QString, QStringList> titles{
            {u"购销合同"_s, {u"办公用品供货合同"_s, u"电脑设备采购合同"_s, u"家电批量采购合同"_s}},
            {u"服务合同"_s, {u"设备维护服务合同"_s, u"IT运维服务合同"_s}},
            {u"租赁合同"_s, {u"仓库租赁合同"_s, u"设备租赁合同"_s}},
            {u"代理合同"_s, {u"区域代理销售合同"_s}},
        };
        const QHash<QString, QString> terms{
            {u"购销合同"_s, u"乙方按甲方订单分批供货，货到验收合格后三十日内付款。"_s},
            {u"服务合同"_s, u"甲方负责设备的日常维护，接到报修后四小时内到达现场。"_s},
            {u"租赁合同"_s, u"租金按季度预付，租赁期满乙方可优先续租。"_s},
            {u"代理合同"_s, u"乙方在约定区域内独家代理甲方产品，年度销售额不低于合同金额。"_s},
        };
        const QList<int> soon{0, 3, 6, 11, 17, 24, 29};   // days ahead, one contract each
        const QStringList sellers = namesIn(u"销售部"_s);
        QList<Contract> list;
        for (int i = 0; i < 30; ++i) {
            Contract c;
            c.kind = dice.pick(kContractKinds);
            c.customer = dice.pick(kCustomers);
            c.title = c.customer.left(4) + dice.pick(titles.value(c.kind));
            const int years = dice.between(1, 3);
            if (i % 4 == 3 && i / 4 < soon.size()) {
                c.due = today.addDays(soon.at(i / 4));
                c.signedOn = c.due.addYears(-years);
            } else {
                c.signedOn = today.addDays(-dice.between(40, 1100));
                c.due = c.signedOn.addYears(years);
            }
            const int lo = c.kind == u"代理合同"_s ? 1000 : c.kind == u"购销合同"_s ? 500 : 200;
            c.amount = dice.between(lo, lo * 8) * 100.0;
            c.clerk = dice.pick(sellers);
            c.state = c.due >= today ? u"执行中"_s : dice.chance(15) ? u"已终止"_s : u"已到期"_s;
            c.text = u"甲方：本公司\r\n乙方：%1\r\n合同期限：%2至%3\r\n%4"_s.arg(
                c.customer, c.signedOn.toString(u"yyyy年M月d日"_s), c.due.toString(u"yyyy年M月d日"_s),
                terms.value(c.kind));
            list.append(c);
        }
        std::stable_sort(list.begin(), list.end(),
                         [](const Contract& a, const Contract& b) { return a.signedOn < b.signedOn; });
        QMap<int, int> perYear;
        Rows& rows = out.rows[u"合同"_s];
        for (const Contract& c : list) {
            const int y = c.signedOn.year();
            rows.append({u"HT%1-%2"_s.arg(y).arg(++perYear[y], 3, 10, QLatin1Char('0')), c.title, c.customer, c.kind,
                         c.signedOn, c.due, c.amount, c.clerk, c.state, c.text});
        }
    }

    const QDate today;
    Dice dice;
    Records out;
    QList<Person> people;
    QSet<QString> usedNames;
    QList<int> onHand, openingStock;
};

// ---------------------------------------------------------------------------

void createTable(Connection& c, const TableDef& t, const Rows& rows)
{
    QStringList cols;
    for (const Col& col : t.cols)
        cols << col.name + QLatin1Char(' ') + columnTypeFor(col.dtype, col.size);
    c.exec(u"Create Table "_s + t.name + QLatin1Char('(') + cols.join(QLatin1Char(',')) + QLatin1Char(')'));

    c.exec(definitionTableSql(t.name));
    const QString defInsert = u"INSERT INTO "_s + t.name
                              + u"b(ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey) VALUES (?,?,?,?,?,?,?,?,?)"_s;
    for (int i = 0; i < t.cols.size(); ++i) {
        const Col& col = t.cols.at(i);
        c.exec(defInsert, {i + 1, col.name, col.dtype, col.size, col.ctype,
                           col.caption.isEmpty() ? col.name : col.caption, styleOf(col),
                           col.options.isEmpty() ? QVariant() : QVariant(col.options.join(u"\r\n"_s)),
                           i < t.keyColumns ? u"是"_s : u"否"_s});
    }

    QList<FieldKind> kinds;
    QStringList names, marks;
    for (const Col& col : t.cols) {
        kinds << kindOfType(col.dtype);
        names << col.name;
        marks << u"?"_s;
    }
    const QString insert = u"INSERT INTO "_s + t.name + QLatin1Char('(') + names.join(QLatin1Char(',')) + u") VALUES ("_s
                           + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    for (const QVariantList& row : rows) {
        Q_ASSERT(row.size() == t.cols.size());
        QVariantList binds;
        for (int i = 0; i < row.size(); ++i)
            binds << c.toEngine(row.at(i), kinds.at(i));
        c.exec(insert, binds);
    }
}

void addQueryUser(Connection& c)
{
    // May look at, total, print and export records, but not change them.
    const QStringList granted{u"FQuery"_s, u"FDerive"_s, u"FStat"_s, u"FPrint"_s};
    QVariantList values{QString::fromUtf8(kQueryUser), QString::fromUtf8(kQueryUserPassword)};
    QStringList marks{u"?"_s, u"?"_s};
    for (const QString& r : rightsColumns()) {
        values << c.toEngine(granted.contains(r), ftBoolean);
        marks << u"?"_s;
    }
    c.exec(u"INSERT INTO UserPopedom VALUES ("_s + marks.join(QLatin1Char(',')) + QLatin1Char(')'), values);
}

void writeMissing(IniFile& ini, const QString& section, const QList<std::pair<QString, QString>>& entries)
{
    for (const auto& [key, value] : entries)
        if (!ini.valueExists(section, key))
            ini.writeString(section, key, value);
}

bool sameDirectory(const QString& a, const QString& b)
{
    return QDir(a).canonicalPath() == QDir(b).canonicalPath();
}

} // namespace

void installDemoTables(Connection& c, const QDate& today)
{
    installSystemTables(c);
    if (c.scalar(u"Select count(*) From UserPopedom Where FUser=?"_s, {QString::fromUtf8(kQueryUser)}).toInt() == 0)
        addQueryUser(c);
    const Records records = Generator(today).make();
    for (const TableDef& t : designs())
        createTable(c, t, records.rows.value(t.name));
}

void writeDemoConfig(IniFile& ini)
{
    for (const Section& s : configuration()) {
        switch (s.mode) {
        case Write::KeepExisting:
            writeMissing(ini, s.name, s.entries);
            break;
        case Write::Replace:
            ini.eraseSection(s.name);
            [[fallthrough]];
        case Write::Merge:
            for (const auto& [key, value] : s.entries)
                ini.writeString(s.name, key, value);
            break;
        }
    }
}

Result createDemo(const QString& dataDirIn, const QString& exeDirIn)
{
    const QString dataDir = QDir::cleanPath(QDir(dataDirIn).absolutePath());
    const QString exeDir = QDir::cleanPath(QDir(exeDirIn).absolutePath());
    if (!QDir().mkpath(dataDir) || !QDir().mkpath(exeDir))
        return {Outcome::Failed, u"不能建立目录 %1 或 %2"_s.arg(dataDir, exeDir)};

    IniFile exe(exeDir + u"/sys.ini"_s);
    writeMissing(exe, u"Form"_s,
                 {{u"Server"_s, u"local"_s}, {u"NetPath"_s, dataDir + u"/sys.ini"_s},
                  {u"dataBaseName"_s, u"sysdb"_s}, {u"SysName"_s, u"Tessaly"_s}});
    // The demo tables are templates of the designer, as every designed table
    // is; listed only when this executable directory works on this data.
    const bool ours = sameDirectory(directoryPart(exe.readString(u"Form"_s, u"NetPath"_s)), dataDir);
    auto listTemplates = [&] {
        if (!ours)
            return;
        QList<std::pair<QString, QString>> entries;
        for (const TableDef& t : designs())
            entries.append({t.name, t.name + QLatin1Char('b')});
        writeMissing(exe, u"cyclostyle"_s, entries);
    };

    const QString dbFile = dataDir + u"/sysdb.sqlite"_s;
    if (QFileInfo::exists(dbFile)) {
        listTemplates();
        return {Outcome::AlreadyThere, {}};
    }

    QTemporaryDir work(dataDir + u"/.tessdemo-XXXXXX"_s);
    if (!work.isValid())
        return {Outcome::Failed, work.errorString()};
    try {
        Connection c;
        ConnectionParams p;
        p.server = u"local"_s;
        p.dataDir = work.path();
        p.databaseName = u"sysdb"_s;
        p.create = true;
        c.open(p);
        {
            // One transaction: a few hundred rows, one write to the disk.
            QSqlDatabase db = c.database();
            db.transaction();
            installDemoTables(c);
            if (!db.commit())
                return {Outcome::Failed, db.lastError().text()};
        }
        c.close();
    } catch (const Error& e) {
        return {Outcome::Failed, e.text()};
    }

    IniFile data(dataDir + u"/sys.ini"_s);
    writeDemoConfig(data);
    listTemplates();
    if (!QFile::rename(work.filePath(u"sysdb.sqlite"_s), dbFile))
        return {Outcome::Failed, u"不能建立 %1"_s.arg(dbFile)};
    return {Outcome::Created, {}};
}

} // namespace tess::demo
