-- Host tables on SQLite. Text columns use the collation hosttext, registered by the host on every
-- connection: codes and names compare without regard to letter case and trailing blanks, as on
-- the host's own server database. Sizes are declared so that recordsets can report them.

create table if not exists Warehouse (
    cWhCode varchar(10) collate hosttext not null primary key,
    cWhName varchar(50) collate hosttext not null,
    cWhAddress varchar(255) collate hosttext,
    cWhPerson varchar(20) collate hosttext
);

create table if not exists InventoryClass (
    cInvCCode varchar(12) collate hosttext not null primary key,
    cInvCName varchar(255) collate hosttext not null,
    iInvCGrade integer not null default 1,
    bInvCEnd integer not null default 1
);

create table if not exists computationGroup (
    cGroupCode varchar(35) collate hosttext not null primary key,
    cGroupName varchar(255) collate hosttext not null,
    iGroupType integer not null default 0
);

create table if not exists ComputationUnit (
    cComUnitCode varchar(35) collate hosttext not null primary key,
    cComUnitName varchar(60) collate hosttext not null,
    cGroupCode varchar(35) collate hosttext not null
);

create table if not exists Person (
    cPersonCode varchar(20) collate hosttext not null primary key,
    cPersonName varchar(40) collate hosttext not null,
    cDepCode varchar(12) collate hosttext
);

create table if not exists Inventory (
    iId integer not null primary key,
    cInvCode varchar(60) collate hosttext not null unique,
    cInvAddCode varchar(255) collate hosttext,
    cInvName varchar(255) collate hosttext not null,
    cInvStd varchar(255) collate hosttext,
    cInvCCode varchar(12) collate hosttext,
    cGroupCode varchar(35) collate hosttext,
    cComUnitCode varchar(35) collate hosttext,
    cDefWareHouse varchar(10) collate hosttext,
    iTopSum decimal(20, 6),
    iLowSum decimal(20, 6),
    iSafeNum decimal(20, 6),
    iWastage decimal(12, 6),
    iFrequency integer,
    cFrequency varchar(2) collate hosttext,
    iDays integer,
    dLastDate date,
    dSDate date,
    dEDate date
);
create index if not exists Inventory_cInvCCode on Inventory (cInvCCode, cInvCode);

create table if not exists WhInvContrapose (
    cWhCode varchar(10) collate hosttext not null,
    cInvCode varchar(60) collate hosttext not null,
    iTopSum decimal(20, 6),
    iLowSum decimal(20, 6),
    iSafeNum decimal(20, 6),
    iWastage decimal(12, 6),
    iFrequency integer,
    cFrequency varchar(2) collate hosttext,
    iDays integer,
    dLastDate date,
    cWhPersonCode varchar(20) collate hosttext,
    cCreatePerson varchar(20) collate hosttext,
    cModifyPerson varchar(20) collate hosttext,
    dModifyDate datetime,
    constraint WhInvContrapose_key unique (cWhCode, cInvCode)
);
create index if not exists WhInvContrapose_cInvCode on WhInvContrapose (cInvCode);

create table if not exists GradeDef (
    KeyWord varchar(30) collate hosttext not null primary key,
    CODINGRULE varchar(30) collate hosttext not null
);

-- Column captions of the host's column dictionary, by dictionary key and column name.
create table if not exists aa_columndic (
    ckey varchar(30) collate hosttext not null,
    cfldname varchar(60) collate hosttext not null,
    ccaption varchar(60) collate hosttext not null,
    primary key (ckey, cfldname)
);

create table if not exists AccInformation (
    cSysID varchar(2) collate hosttext not null,
    cID varchar(10) collate hosttext not null,
    cName varchar(50) collate hosttext not null,
    cCaption varchar(100) collate hosttext,
    cValue varchar(100) collate hosttext,
    cDefault varchar(100) collate hosttext,
    primary key (cSysID, cID)
);

create table if not exists aa_user (
    cUserId varchar(20) collate hosttext not null primary key,
    cUserName varchar(40) collate hosttext not null,
    bAdmin integer not null default 0
);

-- Business objects under row-level control; an object not listed here, or listed with
-- bControlled 0, is open to every user.
create table if not exists aa_rowauth_object (
    cBusObCode varchar(30) collate hosttext not null primary key,
    bControlled integer not null default 1
);

-- Row grants: cACCode is the warehouse or person code, or the inventory item's code.
-- cRight 'R' grants reading, 'W' reading and writing.
create table if not exists aa_rowauth (
    cUserId varchar(20) collate hosttext not null,
    cBusObCode varchar(30) collate hosttext not null,
    cACCode varchar(60) collate hosttext not null,
    cRight varchar(1) collate hosttext not null,
    primary key (cUserId, cBusObCode, cACCode, cRight)
);

create table if not exists aa_prnstyle (
    cStyleName varchar(100) collate hosttext not null primary key,
    cStyle text
);

create table if not exists aa_formlayout (
    cUserId varchar(20) collate hosttext not null,
    cFormKey varchar(100) collate hosttext not null,
    cLayout text,
    primary key (cUserId, cFormKey)
);

create table if not exists aa_formoption (
    cUserId varchar(20) collate hosttext not null,
    cFormKey varchar(100) collate hosttext not null,
    cOption varchar(30) collate hosttext not null,
    cValue varchar(255) collate hosttext,
    primary key (cUserId, cFormKey, cOption)
);
