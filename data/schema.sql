-- Velmor 驾校学员管理软件: tables of a new DovOrerData.db.
--
-- Applied once, inside one transaction, to a brand-new database; the program
-- sets the schema version itself afterwards.
--
-- Conventions kept by every table:
--   * all text compares without regard to letter case (names, code type keys,
--     grid keys are typed in varying case throughout the program), hence
--     COLLATE NOCASE on every text column;
--   * dates are ISO text 'yyyy-MM-dd', stamps 'yyyy-MM-dd hh:mm:ss'; an optional
--     date that is not set holds '1900-08-14';
--   * yes/no values are integers 0/1, and NULL reads as no;
--   * records refer to a trainee by the link number F_mainID, never by F_ID;
--     coach, plate, salesman, licence class and operator are stored as the
--     chosen text itself, so there are no foreign keys.

-- Trainee files (学员档案), one row per trainee.
CREATE TABLE T_employee (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_mainID      INTEGER,                       -- link number of the dependent records
    F_code        TEXT COLLATE NOCASE,           -- 档案编号
    F_name        TEXT COLLATE NOCASE,           -- 姓名
    F_SFZcode     TEXT COLLATE NOCASE,           -- 身份证号
    F_BMdate      TEXT COLLATE NOCASE,           -- 报名时间
    F_JTaddress   TEXT COLLATE NOCASE,           -- 家庭住址
    F_BKcarType   TEXT COLLATE NOCASE,           -- 报考车型
    F_Sex         TEXT COLLATE NOCASE,           -- 性别
    F_ZKZdate     TEXT COLLATE NOCASE,           -- 准考证时间
    F_LXphone     TEXT COLLATE NOCASE,           -- 联系方式
    F_JLemp       TEXT COLLATE NOCASE,           -- 教练员
    F_CPcode      TEXT COLLATE NOCASE,           -- 车牌号码
    F_SKdate      TEXT COLLATE NOCASE,           -- 收款日期
    F_SKprice     REAL,                          -- 收款金额 (fee due)
    F_TKdate      TEXT COLLATE NOCASE,           -- 退款日期
    F_TKprice     REAL,                          -- 退款金额
    F_memo1       TEXT COLLATE NOCASE,           -- 备注
    F_useFlag     INTEGER DEFAULT 0,             -- 已通过 (finished)
    F_kemu1       INTEGER DEFAULT 0,             -- 科目一 passed
    F_kemu1CJ     INTEGER,                       -- 科目一 score
    F_km1date     TEXT COLLATE NOCASE,
    F_kemu2       INTEGER DEFAULT 0,
    F_zk1         INTEGER DEFAULT 0,             -- 桩考 passed
    F_zkdate      TEXT COLLATE NOCASE,
    F_7x3         INTEGER DEFAULT 0,             -- 七选三 passed
    F_7x3date     TEXT COLLATE NOCASE,
    F_kemu3       INTEGER DEFAULT 0,             -- 科目三 passed
    F_km3date     TEXT COLLATE NOCASE,
    F_ZF1         TEXT COLLATE NOCASE,           -- custom text items, captions KeyValue 1-5
    F_ZF2         TEXT COLLATE NOCASE,
    F_ZF3         TEXT COLLATE NOCASE,
    F_ZF4         TEXT COLLATE NOCASE,
    F_ZF5         TEXT COLLATE NOCASE,
    F_SZ1         REAL,                          -- custom numbers, captions KeyValue 6-8
    F_SZ2         REAL,
    F_SZ3         REAL,
    F_RQ1         TEXT COLLATE NOCASE,           -- custom dates, captions KeyValue 9-11
    F_RQ2         TEXT COLLATE NOCASE,
    F_RQ3         TEXT COLLATE NOCASE,
    F_empName     TEXT COLLATE NOCASE,           -- 业务员
    F_empImage    BLOB,                          -- photo bytes, format told by F_ImagePath
    F_ImagePath   TEXT COLLATE NOCASE,
    F_SKflag      INTEGER                        -- 0 未付清, 1 已付清, other 其  他
);

-- Make-up exam records (补考记录).
CREATE TABLE t_BKrec (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_mainID      INTEGER,
    F_CLTcode     TEXT COLLATE NOCASE,
    F_CLTname     TEXT COLLATE NOCASE,
    F_ItemName    TEXT COLLATE NOCASE,           -- 补考项目
    F_BKdate      TEXT COLLATE NOCASE,           -- 补考日期
    F_BKprice     TEXT COLLATE NOCASE,
    F_IFtg        INTEGER DEFAULT 0,             -- 通过否
    F_FZemp       TEXT COLLATE NOCASE,           -- 负责人
    F_memo1       TEXT COLLATE NOCASE,
    F_editDate    TEXT COLLATE NOCASE,           -- stamp of the last save
    F_opername    TEXT COLLATE NOCASE            -- 制单人
);

-- Payment records (收款记录); an empty F_SHemp means not yet audited.
CREATE TABLE t_SKrec (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_mainID      INTEGER,
    F_CLTcode     TEXT COLLATE NOCASE,
    F_CLTname     TEXT COLLATE NOCASE,
    F_SKprice     REAL,                          -- 收款金额
    F_SKemp       TEXT COLLATE NOCASE,           -- 经手人
    F_SKdate      TEXT COLLATE NOCASE,           -- 收款日期
    F_SHemp       TEXT COLLATE NOCASE DEFAULT '',-- 审核人
    F_SHdate      TEXT COLLATE NOCASE,           -- 审核日期
    F_memo1       TEXT COLLATE NOCASE,
    F_editDate    TEXT COLLATE NOCASE,
    F_operName    TEXT COLLATE NOCASE
);

-- Reminder records (提醒记录); F_editDate is a plain date text here.
CREATE TABLE t_TXrec (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_mainID      INTEGER,
    F_CLTcode     TEXT COLLATE NOCASE,
    F_CLTname     TEXT COLLATE NOCASE,
    F_awokeDate   TEXT COLLATE NOCASE,           -- 提醒日期
    F_awokeTime   TEXT COLLATE NOCASE,           -- 提醒时间 (free text)
    F_caption     TEXT COLLATE NOCASE,           -- 提醒主题
    F_memo1       TEXT COLLATE NOCASE,
    F_editDate    TEXT COLLATE NOCASE,
    F_operName    TEXT COLLATE NOCASE
);

-- Option codes of every pick list, grouped by a type key such as 'bkcartype'.
CREATE TABLE t_code (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_type        TEXT COLLATE NOCASE,
    F_name        TEXT COLLATE NOCASE,
    F_code        TEXT COLLATE NOCASE            -- 助记码
);

-- Staff files (员工档案); coaches and salesmen are told by F_duty.
CREATE TABLE EmpList (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_code        TEXT COLLATE NOCASE,           -- 编号, three-digit counter
    F_name        TEXT COLLATE NOCASE,
    F_sex         TEXT COLLATE NOCASE,
    F_dept        TEXT COLLATE NOCASE,
    F_duty        TEXT COLLATE NOCASE,
    F_xueLI       TEXT COLLATE NOCASE,
    F_phone       TEXT COLLATE NOCASE,
    F_birthday    TEXT COLLATE NOCASE,           -- date text, '1900-08-14' when not set
    F_SFZcode     TEXT COLLATE NOCASE,
    F_email       TEXT COLLATE NOCASE,
    F_address     TEXT COLLATE NOCASE,
    F_ZZmm        TEXT COLLATE NOCASE,
    F_memo1       TEXT COLLATE NOCASE,
    F_flag        INTEGER DEFAULT 0,             -- 离职停用
    F_imagepath   TEXT COLLATE NOCASE,
    F_empImage    BLOB,
    F_HYstatus    TEXT COLLATE NOCASE,
    F_JZjibie     TEXT COLLATE NOCASE,
    F_WYjibie     TEXT COLLATE NOCASE,
    F_JSJjibie    TEXT COLLATE NOCASE,
    F_TCmem       TEXT COLLATE NOCASE,
    F_GZjibie     TEXT COLLATE NOCASE,
    F_JGaddress   TEXT COLLATE NOCASE,
    F_LYdate      TEXT COLLATE NOCASE
);

-- Vehicle files (车辆档案); trainees refer to a vehicle by its plate F_code.
CREATE TABLE CarList (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_code        TEXT COLLATE NOCASE,           -- 车辆牌照
    F_name        TEXT COLLATE NOCASE,           -- 车辆品牌
    F_xingHao     TEXT COLLATE NOCASE,
    F_type        TEXT COLLATE NOCASE,
    F_yanSE       TEXT COLLATE NOCASE,
    F_FDJcode     TEXT COLLATE NOCASE,
    F_CJcode      TEXT COLLATE NOCASE,
    F_ZaiZhong    REAL,
    F_ZuoWei      TEXT COLLATE NOCASE,
    F_YouHao      TEXT COLLATE NOCASE,
    F_KaiShiLC    REAL,
    F_GRdate      TEXT COLLATE NOCASE,           -- date text, '1900-08-14' when not set
    F_GRprice     REAL,
    F_JSYemp      TEXT COLLATE NOCASE,
    F_dept        TEXT COLLATE NOCASE,
    F_BanZu       TEXT COLLATE NOCASE,
    F_status      TEXT COLLATE NOCASE,
    F_memo1       TEXT COLLATE NOCASE,
    F_flag        INTEGER DEFAULT 0,             -- 停  用
    F_CarImage1   BLOB,
    F_CarImage2   BLOB,
    F_CarImage3   BLOB,
    F_ImagePath1  TEXT COLLATE NOCASE,
    F_ImagePath2  TEXT COLLATE NOCASE,
    F_ImagePath3  TEXT COLLATE NOCASE
);

-- Operators who may log in; 'admin' in any letter case is the administrator.
CREATE TABLE OperList (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_Name        TEXT COLLATE NOCASE,
    F_PassWord    TEXT COLLATE NOCASE,           -- stored form of the password; '' = empty password
    F_Mem         TEXT COLLATE NOCASE,
    F_Flag        INTEGER DEFAULT 0,             -- 用户禁用
    F_xtFlag      INTEGER DEFAULT 0,             -- 收款审核
    F_empFlag     INTEGER DEFAULT 0,             -- trainee scope 0/1/2
    F_empName     TEXT COLLATE NOCASE            -- salesman list for scope 2: 'A','B'
);

-- Catalogue of permissions; OperLimit refers to them by F_name.
CREATE TABLE Limits (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_code        TEXT COLLATE NOCASE,
    F_name        TEXT COLLATE NOCASE,
    F_flag        INTEGER DEFAULT 0
);

-- Permissions granted: one row per operator and permission name.
CREATE TABLE OperLimit (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_OperName    TEXT COLLATE NOCASE,
    F_lmtName     TEXT COLLATE NOCASE
);

-- The school's profile, a single row (school name in F_Code, address in F_Name).
CREATE TABLE SysInfo (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_Code        TEXT COLLATE NOCASE,
    F_Name        TEXT COLLATE NOCASE,
    F_Manager     TEXT COLLATE NOCASE,
    F_Phone       TEXT COLLATE NOCASE,
    F_HandPhone   TEXT COLLATE NOCASE,
    F_HomePage    TEXT COLLATE NOCASE,
    F_Email       TEXT COLLATE NOCASE,
    F_BakPath     TEXT COLLATE NOCASE,
    F_Enroler     TEXT COLLATE NOCASE,
    F_Mem         TEXT COLLATE NOCASE
);

-- Fifteen settings addressed by position in F_ID order: custom captions 1-11,
-- decimal places of quantities, unit prices and amounts 12-14, 15 unused.
CREATE TABLE KeyValue (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_Value       TEXT COLLATE NOCASE
);

-- Login log.
CREATE TABLE LogRec (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_EmpName     TEXT COLLATE NOCASE,
    F_OperType    TEXT COLLATE NOCASE,
    F_OperDate    TEXT COLLATE NOCASE,           -- 'yyyy-MM-dd'
    F_OperTime    TEXT COLLATE NOCASE            -- 'hh:mm:ss'
);

-- Stored grid layouts, one row per grid key and field; saving only updates rows.
CREATE TABLE cfg_Grid (
    F_ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    F_name          TEXT COLLATE NOCASE,         -- grid key
    F_FieldName     TEXT COLLATE NOCASE,
    F_Caption       TEXT COLLATE NOCASE,
    F_Width         INTEGER,
    F_Visible       INTEGER DEFAULT 1,
    F_ReadOnly      INTEGER DEFAULT 1,
    F_Order         INTEGER,
    F_Alignment     INTEGER DEFAULT 0,           -- 0 left, 1 centre, 2 right
    F_DisplayFormat TEXT COLLATE NOCASE DEFAULT '',
    F_FooterValue   TEXT COLLATE NOCASE DEFAULT '',
    F_FooterType    INTEGER DEFAULT 0            -- 0 none, 1 static text, 2 sum
);

-- Excel import field map, read in F_ID order.
CREATE TABLE cfg_import (
    F_ID          INTEGER PRIMARY KEY AUTOINCREMENT,
    F_tablename   TEXT COLLATE NOCASE,           -- T_employee, EmpList or CarList
    F_iFlag       INTEGER DEFAULT 1,
    F_FieldName   TEXT COLLATE NOCASE,           -- caption shown to the user
    S_Field       TEXT COLLATE NOCASE,           -- target column
    F_Field       TEXT COLLATE NOCASE            -- Excel heading; empty = not imported
);

-- Scratch tables of the statistics windows, emptied and refilled by each run.
-- F_flag: 0 partial row, 1 summed row.
CREATE TABLE tempXYrec (
    F_name        TEXT COLLATE NOCASE,
    F_XYnum       INTEGER,
    F_TGnum       INTEGER,
    F_WGnum       INTEGER,
    F_TGrate      REAL,
    F_KM1num      INTEGER,
    F_KM1TGnum    INTEGER,
    F_KM1rate     REAL,
    F_ZKnum       INTEGER,
    F_ZKTGnum     INTEGER,
    F_ZKrate      REAL,
    F_7x3num      INTEGER,
    F_7x3TGnum    INTEGER,
    F_7x3rate     REAL,
    F_KM3num      INTEGER,
    F_KM3TGnum    INTEGER,
    F_KM3rate     REAL,
    F_flag        INTEGER
);

CREATE TABLE tempFXrec (
    F_name        TEXT COLLATE NOCASE,
    F_XMname      TEXT COLLATE NOCASE,
    F_XYnum       INTEGER,
    F_TGnum       INTEGER,
    F_WGnum       INTEGER,
    F_TGrate      REAL,
    F_flag        INTEGER
);

CREATE TABLE tempSKrec (
    F_mainID      INTEGER,
    F_SKprice     REAL,                          -- due
    F_YSprice     REAL,                          -- received
    F_YEprice     REAL,                          -- balance
    F_flag        INTEGER
);

-- Indexes for the trainee list, its filters and pickers, and the dependent
-- panes, sized for schools with a hundred thousand trainees.
CREATE INDEX ix_T_employee_mainID   ON T_employee (F_mainID);
CREATE INDEX ix_T_employee_code     ON T_employee (F_code);
-- The main list shows trainees still in training by file number.
CREATE INDEX ix_T_employee_open     ON T_employee (F_useFlag, F_code);
CREATE INDEX ix_T_employee_carType  ON T_employee (F_BKcarType);
CREATE INDEX ix_T_employee_JLemp    ON T_employee (F_JLemp);
CREATE INDEX ix_T_employee_CPcode   ON T_employee (F_CPcode);
CREATE INDEX ix_T_employee_empName  ON T_employee (F_empName);
CREATE INDEX ix_T_employee_BMdate   ON T_employee (F_BMdate);
CREATE INDEX ix_T_employee_name     ON T_employee (F_name);

CREATE INDEX ix_t_BKrec_mainID      ON t_BKrec (F_mainID);
CREATE INDEX ix_t_BKrec_BKdate      ON t_BKrec (F_BKdate);
CREATE INDEX ix_t_SKrec_mainID      ON t_SKrec (F_mainID);
CREATE INDEX ix_t_SKrec_SKdate      ON t_SKrec (F_SKdate);
CREATE INDEX ix_t_TXrec_mainID      ON t_TXrec (F_mainID);
CREATE INDEX ix_t_TXrec_awokeDate   ON t_TXrec (F_awokeDate);

CREATE INDEX ix_t_code_type         ON t_code (F_type);
CREATE INDEX ix_cfg_Grid_name_field ON cfg_Grid (F_name, F_FieldName);
CREATE INDEX ix_OperLimit_OperName  ON OperLimit (F_OperName);
CREATE INDEX ix_EmpList_name        ON EmpList (F_name);
CREATE INDEX ix_CarList_code        ON CarList (F_code);
