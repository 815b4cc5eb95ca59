-- Host tables on SQLite. Text columns use the engine's own collation nocase, so that the standard
-- tools open, query and check the file: codes compare without regard to ASCII letter case, as on
-- the host's own server database. The server also ignores trailing blanks; here codes are stored
-- without them (the triggers below trim every write), and the host's dialect adapter drops them
-- from the texts a statement compares codes with. Sizes are declared so that recordsets can
-- report them.
--
-- The version of this schema is kept in pragma user_version; the host upgrades an older file when
-- it opens it.
pragma user_version = 2;

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
