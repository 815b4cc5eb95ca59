-- Host tables on SQLite. Text columns use the engine's own collation nocase, so that the standard
-- tools open, query and check the file: codes compare without regard to ASCII letter case, as on
-- the host's own server database. The server also ignores trailing blanks; here codes are stored
-- without them (the triggers below trim every write), and the host's dialect adapter drops them
-- from the texts a statement compares codes with. Sizes are declared so that recordsets can
-- report them.
--
-- The version of this schema is kept in pragma user_version; the host upgrades an older file when
-- it opens it.
pragma user_version = 7;

create table if not exists Warehouse (
    cWhCode varchar(10) collate nocase not null primary key,
    cWhName varchar(50) collate nocase not null,
    cWhAddress varchar(255) collate nocase,
    cWhPerson varchar(20) collate nocase
);

create table if not exists InventoryClass (
    cInvCCode varchar(12) collate nocase not null primary key,
    cInvCName varchar(255) collate nocase not null,
    iInvCGrade integer not null default 1,
    bInvCEnd integer not null default 1
);

create table if not exists computationGroup (
    cGroupCode varchar(35) collate nocase not null primary key,
    cGroupName varchar(255) collate nocase not null,
    iGroupType integer not null default 0
);

create table if not exists ComputationUnit (
    cComUnitCode varchar(35) collate nocase not null primary key,
    cComUnitName varchar(60) collate nocase not null,
    cGroupCode varchar(35) collate nocase not null
);

create table if not exists Person (
    cPersonCode varchar(20) collate nocase not null primary key,
    cPersonName varchar(40) collate nocase not null,
    cDepCode varchar(12) collate nocase
);

create table if not exists Inventory (
    iId integer not null primary key,
    cInvCode varchar(60) collate nocase not null unique,
    cInvAddCode varchar(255) collate nocase,
    cInvName varchar(255) collate nocase not null,
    cInvStd varchar(255) collate nocase,
    cInvCCode varchar(12) collate nocase,
    cGroupCode varchar(35) collate nocase,
    cComUnitCode varchar(35) collate nocase,
    cDefWareHouse varchar(10) collate nocase,
    iTopSum decimal(20, 6),
    iLowSum decimal(20, 6),
    iSafeNum decimal(20, 6),
    iWastage decimal(12, 6),
    iFrequency integer,
    cFrequency varchar(2) collate nocase,
    iDays integer,
    dLastDate date,
    dSDate date,
    dEDate date
);
create index if not exists Inventory_cInvCCode on Inventory (cInvCCode, cInvCode);

-- The rules of a correspondence row hold for every writer, the database service and the windows'
-- own update statements alike. A check constraint is named after the host text that explains its
-- refusal (Zel.HOST.DB.<name>).
create table if not exists WhInvContrapose (
    cWhCode varchar(10) collate nocase not null references Warehouse (cWhCode),
    cInvCode varchar(60) collate nocase not null references Inventory (cInvCode),
    iTopSum decimal(20, 6),
    iLowSum decimal(20, 6),
    iSafeNum decimal(20, 6),
    iWastage decimal(12, 6),
    iFrequency integer,
    cFrequency varchar(2) collate nocase,
    iDays integer,
    dLastDate date,
    cWhPersonCode varchar(20) collate nocase references Person (cPersonCode),
    cCreatePerson varchar(20) collate nocase,
    cModifyPerson varchar(20) collate nocase,
    dModifyDate datetime,
    -- When the row's next stock check falls, kept by the engine from the cycle and the last check
    -- whoever writes: the program's own rule (see the check cycle of the component). '-infinity'
    -- sorts before every day and means due at once: a cycle but no last check, or one before 1900
    -- that no window reads. NULL: no cycle, one that cannot be, or a day after 9999-12-31.
    dNextDate date generated always as (case
        when cFrequency is null or cFrequency not in ('天', '周', '月') or iFrequency is null or
            iFrequency < 1 or (iDays is not null and (cFrequency = '天' or iDays < 1 or
            iDays > case cFrequency when '周' then 7 else 31 end)) then null
        when dLastDate is null or dLastDate < '1900-01-01' then '-infinity'
        when cFrequency = '天' then date(dLastDate, '+' || iFrequency || ' days')
        when iDays is null and cFrequency = '周' then
            date(dLastDate, '+' || (7 * iFrequency) || ' days')
        -- The week begins on Sunday, day 1.
        when cFrequency = '周' then date(dLastDate, '-' || strftime('%w', dLastDate) || ' days',
            '+' || (7 * iFrequency + iDays - 1) || ' days')
        -- The day of the month, or the month's last day when it is shorter. December's length
        -- is not read from the month after it, which for December 9999 lies past the calendar.
        else date(dLastDate, 'start of month', '+' || iFrequency || ' months',
            '+' || (min(coalesce(iDays, cast(strftime('%d', dLastDate) as integer)),
                case when strftime('%m', dLastDate, 'start of month',
                    '+' || iFrequency || ' months') = '12' then 31
                else cast(strftime('%d', date(dLastDate, 'start of month',
                    '+' || (iFrequency + 1) || ' months', '-1 day')) as integer) end) - 1) ||
                ' days')
        end) stored,
    constraint WhInvContrapose_key unique (cWhCode, cInvCode),
    constraint empty_whcode check (cWhCode <> ''),
    constraint empty_invcode check (cInvCode <> ''),
    constraint not_a_number check ((iTopSum is null or typeof(iTopSum) in ('integer', 'real'))
        and (iLowSum is null or typeof(iLowSum) in ('integer', 'real'))
        and (iSafeNum is null or typeof(iSafeNum) in ('integer', 'real'))
        and (iWastage is null or typeof(iWastage) in ('integer', 'real'))
        and (iFrequency is null or typeof(iFrequency) = 'integer')
        and (iDays is null or typeof(iDays) = 'integer')),
    -- A shift of no days carries 30 February over into March, so only a real day stays itself.
    constraint not_a_date check (dLastDate is null or
        (typeof(dLastDate) = 'text' and date(dLastDate, '+0 days') is dLastDate)),
    constraint bad_frequency check (cFrequency is null or cFrequency in ('天', '周', '月')),
    -- A day within the cycle only for a week or month cycle; a day cycle has none. A row without a
    -- unit may hold a day: the multi-record window sets one column per statement, and may set the
    -- day before the unit.
    constraint days_not_allowed check (iDays is null or cFrequency is null or
        cFrequency in ('周', '月')),
    constraint bad_days_week check (iDays is null or cFrequency is not '周' or
        iDays between 1 and 7),
    constraint bad_days_month check (iDays is null or cFrequency is not '月' or
        iDays between 1 and 31)
);
create index if not exists WhInvContrapose_cInvCode on WhInvContrapose (cInvCode);
-- The rows due by a day, in the order the due list shows them: of all warehouses, and of one.
-- The first also holds the rest of the list's own columns, so that a list of few due rows reads
-- them here instead of from a page of the table for every row.
create index if not exists WhInvContrapose_dNextDate on WhInvContrapose (dNextDate, cWhCode,
    cInvCode, cWhPersonCode, dLastDate) where dNextDate is not null;
create index if not exists WhInvContrapose_cWhCode_dNextDate on WhInvContrapose (cWhCode,
    dNextDate, cInvCode) where dNextDate is not null;

-- The history of the correspondence rows, kept by the triggers at the end of this script whoever
-- writes: one whinv_change row per statement that changed rows, one whinv_change_value row per
-- field it changed in each row. An add keeps every field it set, a delete every field the row
-- held, a change the fields whose value differs; an import every field of the rows it added and
-- every changed field of the rows it changed, as one entry. The values have no type affinity, so
-- that each keeps the stored value and its type, as a restore needs it.
create table if not exists whinv_change (
    iChange integer not null primary key,
    dWhen text not null,
    cUser varchar(20) collate nocase,
    cKind varchar(6) not null check (cKind in ('add', 'change', 'delete', 'import'))
);
create index if not exists whinv_change_dWhen on whinv_change (dWhen);

create table if not exists whinv_change_value (
    iChange integer not null,
    cWhCode varchar(10) collate nocase not null,
    cInvCode varchar(60) collate nocase not null,
    cField varchar(30) not null,
    cOldValue,
    cNewValue
);
create index if not exists whinv_change_value_cWhCode on whinv_change_value (cWhCode, iChange);
create index if not exists whinv_change_value_iChange on whinv_change_value (iChange);

-- Who runs the current write statement: the program names its user here before each write
-- statement and removes the row after it, in the same transaction. iChange is the history entry
-- the statement's first changed row opened, which its later rows join. Without a row the writer
-- is another program (the sqlite3 shell): each changed row is an entry of its own, without user.
create table if not exists whinv_change_context (
    iOne integer not null primary key check (iOne = 1),
    cUser varchar(20) collate nocase,
    iChange integer
);

create table if not exists GradeDef (
    KeyWord varchar(30) collate nocase not null primary key,
    CODINGRULE varchar(30) collate nocase not null
);

-- Column captions of the host's column dictionary, by dictionary key and column name.
create table if not exists aa_columndic (
    ckey varchar(30) collate nocase not null,
    cfldname varchar(60) collate nocase not null,
    ccaption varchar(60) collate nocase not null,
    primary key (ckey, cfldname)
);

create table if not exists AccInformation (
    cSysID varchar(2) collate nocase not null,
    cID varchar(10) collate nocase not null,
    cName varchar(50) collate nocase not null,
    cCaption varchar(100) collate nocase,
    cValue varchar(100) collate nocase,
    cDefault varchar(100) collate nocase,
    primary key (cSysID, cID)
);

create table if not exists aa_user (
    cUserId varchar(20) collate nocase not null primary key,
    cUserName varchar(40) collate nocase not null,
    bAdmin integer not null default 0
);

-- Business objects under row-level control; an object not listed here, or listed with
-- bControlled 0, is open to every user.
create table if not exists aa_rowauth_object (
    cBusObCode varchar(30) collate nocase not null primary key,
    bControlled integer not null default 1
);

-- Row grants: cACCode is the warehouse or person code, or the inventory item's code.
-- cRight 'R' grants reading, 'W' reading and writing.
create table if not exists aa_rowauth (
    cUserId varchar(20) collate nocase not null,
    cBusObCode varchar(30) collate nocase not null,
    cACCode varchar(60) collate nocase not null,
    cRight varchar(1) collate nocase not null,
    primary key (cUserId, cBusObCode, cACCode, cRight)
);

create table if not exists aa_prnstyle (
    cStyleName varchar(100) collate nocase not null primary key,
    cStyle text
);

create table if not exists aa_formlayout (
    cUserId varchar(20) collate nocase not null,
    cFormKey varchar(100) collate nocase not null,
    cLayout text,
    primary key (cUserId, cFormKey)
);

create table if not exists aa_formoption (
    cUserId varchar(20) collate nocase not null,
    cFormKey varchar(100) collate nocase not null,
    cOption varchar(30) collate nocase not null,
    cValue varchar(255) collate nocase,
    primary key (cUserId, cFormKey, cOption)
);

-- Codes without trailing blanks, whoever writes them: "01 " is stored as "01", so that the key of
-- a row is the one the host compares.
create trigger if not exists Warehouse_trim_insert after insert on Warehouse
when new.cWhCode <> rtrim(new.cWhCode)
begin
    update Warehouse set cWhCode = rtrim(cWhCode)
    where rowid = new.rowid;
end;
create trigger if not exists Warehouse_trim_update after update of cWhCode on Warehouse
when new.cWhCode <> rtrim(new.cWhCode)
begin
    update Warehouse set cWhCode = rtrim(cWhCode)
    where rowid = new.rowid;
end;
create trigger if not exists Person_trim_insert after insert on Person
when new.cPersonCode <> rtrim(new.cPersonCode)
begin
    update Person set cPersonCode = rtrim(cPersonCode)
    where rowid = new.rowid;
end;
create trigger if not exists Person_trim_update after update of cPersonCode on Person
when new.cPersonCode <> rtrim(new.cPersonCode)
begin
    update Person set cPersonCode = rtrim(cPersonCode)
    where rowid = new.rowid;
end;
create trigger if not exists InventoryClass_trim_insert after insert on InventoryClass
when new.cInvCCode <> rtrim(new.cInvCCode)
begin
    update InventoryClass set cInvCCode = rtrim(cInvCCode)
    where rowid = new.rowid;
end;
create trigger if not exists InventoryClass_trim_update after update of cInvCCode on InventoryClass
when new.cInvCCode <> rtrim(new.cInvCCode)
begin
    update InventoryClass set cInvCCode = rtrim(cInvCCode)
    where rowid = new.rowid;
end;
create trigger if not exists computationGroup_trim_insert after insert on computationGroup
when new.cGroupCode <> rtrim(new.cGroupCode)
begin
    update computationGroup set cGroupCode = rtrim(cGroupCode)
    where rowid = new.rowid;
end;
create trigger if not exists computationGroup_trim_update after update of cGroupCode on computationGroup
when new.cGroupCode <> rtrim(new.cGroupCode)
begin
    update computationGroup set cGroupCode = rtrim(cGroupCode)
    where rowid = new.rowid;
end;
create trigger if not exists ComputationUnit_trim_insert after insert on ComputationUnit
when new.cComUnitCode <> rtrim(new.cComUnitCode)
    or new.cGroupCode <> rtrim(new.cGroupCode)
begin
    update ComputationUnit set cComUnitCode = rtrim(cComUnitCode),
        cGroupCode = rtrim(cGroupCode)
    where rowid = new.rowid;
end;
create trigger if not exists ComputationUnit_trim_update after update of cComUnitCode, cGroupCode on ComputationUnit
when new.cComUnitCode <> rtrim(new.cComUnitCode)
    or new.cGroupCode <> rtrim(new.cGroupCode)
begin
    update ComputationUnit set cComUnitCode = rtrim(cComUnitCode),
        cGroupCode = rtrim(cGroupCode)
    where rowid = new.rowid;
end;
create trigger if not exists Inventory_trim_insert after insert on Inventory
when new.cInvCode <> rtrim(new.cInvCode)
    or new.cInvCCode <> rtrim(new.cInvCCode)
    or new.cGroupCode <> rtrim(new.cGroupCode)
    or new.cComUnitCode <> rtrim(new.cComUnitCode)
    or new.cDefWareHouse <> rtrim(new.cDefWareHouse)
begin
    update Inventory set cInvCode = rtrim(cInvCode),
        cInvCCode = rtrim(cInvCCode),
        cGroupCode = rtrim(cGroupCode),
        cComUnitCode = rtrim(cComUnitCode),
        cDefWareHouse = rtrim(cDefWareHouse)
    where rowid = new.rowid;
end;
create trigger if not exists Inventory_trim_update after update of cInvCode, cInvCCode, cGroupCode, cComUnitCode, cDefWareHouse on Inventory
when new.cInvCode <> rtrim(new.cInvCode)
    or new.cInvCCode <> rtrim(new.cInvCCode)
    or new.cGroupCode <> rtrim(new.cGroupCode)
    or new.cComUnitCode <> rtrim(new.cComUnitCode)
    or new.cDefWareHouse <> rtrim(new.cDefWareHouse)
begin
    update Inventory set cInvCode = rtrim(cInvCode),
        cInvCCode = rtrim(cInvCCode),
        cGroupCode = rtrim(cGroupCode),
        cComUnitCode = rtrim(cComUnitCode),
        cDefWareHouse = rtrim(cDefWareHouse)
    where rowid = new.rowid;
end;
create trigger if not exists WhInvContrapose_trim_insert after insert on WhInvContrapose
when new.cWhCode <> rtrim(new.cWhCode)
    or new.cInvCode <> rtrim(new.cInvCode)
    or new.cWhPersonCode <> rtrim(new.cWhPersonCode)
begin
    update WhInvContrapose set cWhCode = rtrim(cWhCode),
        cInvCode = rtrim(cInvCode),
        cWhPersonCode = rtrim(cWhPersonCode)
    where rowid = new.rowid;
end;
create trigger if not exists WhInvContrapose_trim_update after update of cWhCode, cInvCode, cWhPersonCode on WhInvContrapose
when new.cWhCode <> rtrim(new.cWhCode)
    or new.cInvCode <> rtrim(new.cInvCode)
    or new.cWhPersonCode <> rtrim(new.cWhPersonCode)
begin
    update WhInvContrapose set cWhCode = rtrim(cWhCode),
        cInvCode = rtrim(cInvCode),
        cWhPersonCode = rtrim(cWhPersonCode)
    where rowid = new.rowid;
end;
create trigger if not exists aa_rowauth_trim_insert after insert on aa_rowauth
when new.cACCode <> rtrim(new.cACCode)
begin
    update aa_rowauth set cACCode = rtrim(cACCode)
    where rowid = new.rowid;
end;
create trigger if not exists aa_rowauth_trim_update after update of cACCode on aa_rowauth
when new.cACCode <> rtrim(new.cACCode)
begin
    update aa_rowauth set cACCode = rtrim(cACCode)
    where rowid = new.rowid;
end;

-- The history of every write of a correspondence row (see whinv_change), row by row and cheap:
-- a before trigger opens the statement's entry once (or each row's own when no program named
-- itself), and after it one insert per changed field, which an update makes only for the
-- columns it sets. The entry is the one the program named (the statement's, or its step's, which
-- an earlier statement opened), else the newest one, which the opening made. Codes are recorded as
-- stored, without the trailing blanks the trim triggers above take off, so that the trim's own
-- update is no change. Values compare without collation, so that a change of letter case is a
-- change.
create trigger if not exists WhInvContrapose_history_open_add before insert on WhInvContrapose
when not exists (select 1 from whinv_change_context where iChange is not null)
begin
    insert into whinv_change (dWhen, cUser, cKind)
    values (datetime('now', 'localtime'), (select cUser from whinv_change_context), 'add');
    update whinv_change_context set iChange = last_insert_rowid();
end;
create trigger if not exists WhInvContrapose_history_add after insert on WhInvContrapose
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    select ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), cField, null,
        cValue
    from (select 'cWhCode' as cField, rtrim(new.cWhCode) as cValue
        union all select 'cInvCode', rtrim(new.cInvCode)
        union all select 'iTopSum', new.iTopSum
        union all select 'iLowSum', new.iLowSum
        union all select 'iSafeNum', new.iSafeNum
        union all select 'iWastage', new.iWastage
        union all select 'iFrequency', new.iFrequency
        union all select 'cFrequency', new.cFrequency
        union all select 'iDays', new.iDays
        union all select 'dLastDate', new.dLastDate
        union all select 'cWhPersonCode', rtrim(new.cWhPersonCode)
        union all select 'cCreatePerson', new.cCreatePerson
        union all select 'cModifyPerson', new.cModifyPerson
        union all select 'dModifyDate', new.dModifyDate)
    where cValue is not null;
end;
create trigger if not exists WhInvContrapose_history_open_change before update on WhInvContrapose
when not exists (select 1 from whinv_change_context where iChange is not null)
    and not (rtrim(old.cWhCode) is rtrim(new.cWhCode) collate binary
        and rtrim(old.cInvCode) is rtrim(new.cInvCode) collate binary
        and old.iTopSum is new.iTopSum collate binary
        and old.iLowSum is new.iLowSum collate binary
        and old.iSafeNum is new.iSafeNum collate binary
        and old.iWastage is new.iWastage collate binary
        and old.iFrequency is new.iFrequency collate binary
        and old.cFrequency is new.cFrequency collate binary
        and old.iDays is new.iDays collate binary
        and old.dLastDate is new.dLastDate collate binary
        and rtrim(old.cWhPersonCode) is rtrim(new.cWhPersonCode) collate binary
        and old.cCreatePerson is new.cCreatePerson collate binary
        and old.cModifyPerson is new.cModifyPerson collate binary
        and old.dModifyDate is new.dModifyDate collate binary)
begin
    insert into whinv_change (dWhen, cUser, cKind)
    values (datetime('now', 'localtime'), (select cUser from whinv_change_context), 'change');
    update whinv_change_context set iChange = last_insert_rowid();
end;
create trigger if not exists WhInvContrapose_history_cWhCode after update of cWhCode on WhInvContrapose
when rtrim(old.cWhCode) is not rtrim(new.cWhCode) collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cWhCode', rtrim(old.cWhCode),
        rtrim(new.cWhCode));
end;
create trigger if not exists WhInvContrapose_history_cInvCode after update of cInvCode on WhInvContrapose
when rtrim(old.cInvCode) is not rtrim(new.cInvCode) collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cInvCode', rtrim(old.cInvCode),
        rtrim(new.cInvCode));
end;
create trigger if not exists WhInvContrapose_history_iTopSum after update of iTopSum on WhInvContrapose
when old.iTopSum is not new.iTopSum collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iTopSum', old.iTopSum,
        new.iTopSum);
end;
create trigger if not exists WhInvContrapose_history_iLowSum after update of iLowSum on WhInvContrapose
when old.iLowSum is not new.iLowSum collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iLowSum', old.iLowSum,
        new.iLowSum);
end;
create trigger if not exists WhInvContrapose_history_iSafeNum after update of iSafeNum on WhInvContrapose
when old.iSafeNum is not new.iSafeNum collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iSafeNum', old.iSafeNum,
        new.iSafeNum);
end;
create trigger if not exists WhInvContrapose_history_iWastage after update of iWastage on WhInvContrapose
when old.iWastage is not new.iWastage collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iWastage', old.iWastage,
        new.iWastage);
end;
create trigger if not exists WhInvContrapose_history_iFrequency after update of iFrequency on WhInvContrapose
when old.iFrequency is not new.iFrequency collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iFrequency', old.iFrequency,
        new.iFrequency);
end;
create trigger if not exists WhInvContrapose_history_cFrequency after update of cFrequency on WhInvContrapose
when old.cFrequency is not new.cFrequency collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cFrequency', old.cFrequency,
        new.cFrequency);
end;
create trigger if not exists WhInvContrapose_history_iDays after update of iDays on WhInvContrapose
when old.iDays is not new.iDays collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'iDays', old.iDays,
        new.iDays);
end;
create trigger if not exists WhInvContrapose_history_dLastDate after update of dLastDate on WhInvContrapose
when old.dLastDate is not new.dLastDate collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'dLastDate', old.dLastDate,
        new.dLastDate);
end;
create trigger if not exists WhInvContrapose_history_cWhPersonCode after update of cWhPersonCode on WhInvContrapose
when rtrim(old.cWhPersonCode) is not rtrim(new.cWhPersonCode) collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cWhPersonCode', rtrim(old.cWhPersonCode),
        rtrim(new.cWhPersonCode));
end;
create trigger if not exists WhInvContrapose_history_cCreatePerson after update of cCreatePerson on WhInvContrapose
when old.cCreatePerson is not new.cCreatePerson collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cCreatePerson', old.cCreatePerson,
        new.cCreatePerson);
end;
create trigger if not exists WhInvContrapose_history_cModifyPerson after update of cModifyPerson on WhInvContrapose
when old.cModifyPerson is not new.cModifyPerson collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'cModifyPerson', old.cModifyPerson,
        new.cModifyPerson);
end;
create trigger if not exists WhInvContrapose_history_dModifyDate after update of dModifyDate on WhInvContrapose
when old.dModifyDate is not new.dModifyDate collate binary
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    values (ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), rtrim(new.cWhCode), rtrim(new.cInvCode), 'dModifyDate', old.dModifyDate,
        new.dModifyDate);
end;
create trigger if not exists WhInvContrapose_history_open_delete before delete on WhInvContrapose
when not exists (select 1 from whinv_change_context where iChange is not null)
begin
    insert into whinv_change (dWhen, cUser, cKind)
    values (datetime('now', 'localtime'), (select cUser from whinv_change_context), 'delete');
    update whinv_change_context set iChange = last_insert_rowid();
end;
create trigger if not exists WhInvContrapose_history_delete after delete on WhInvContrapose
begin
    insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, cNewValue)
    select ifnull((select iChange from whinv_change_context), (select max(iChange) from whinv_change)), old.cWhCode, old.cInvCode, cField, cValue, null
    from (select 'cWhCode' as cField, rtrim(old.cWhCode) as cValue
        union all select 'cInvCode', rtrim(old.cInvCode)
        union all select 'iTopSum', old.iTopSum
        union all select 'iLowSum', old.iLowSum
        union all select 'iSafeNum', old.iSafeNum
        union all select 'iWastage', old.iWastage
        union all select 'iFrequency', old.iFrequency
        union all select 'cFrequency', old.cFrequency
        union all select 'iDays', old.iDays
        union all select 'dLastDate', old.dLastDate
        union all select 'cWhPersonCode', rtrim(old.cWhPersonCode)
        union all select 'cCreatePerson', old.cCreatePerson
        union all select 'cModifyPerson', old.cModifyPerson
        union all select 'dModifyDate', old.dModifyDate)
    where cValue is not null;
end;
