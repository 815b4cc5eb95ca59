-- Host settings every account database starts with. SQLite and PostgreSQL both run this script;
-- a row already there is kept as it is.

insert into aa_columndic (ckey, cfldname, ccaption) values
    ('Inventory', 'cInvCode', '存货编码'),
    ('Inventory', 'cInvName', '存货名称'),
    ('Inventory', 'cInvStd', '规格型号'),
    ('Inventory', 'iTopSum', '最高库存'),
    ('Inventory', 'iLowSum', '最低库存'),
    ('Inventory', 'iSafeNum', '安全库存'),
    ('Inventory', 'iWastage', '合理损耗率'),
    ('Inventory', 'iFrequency', '盘点周期'),
    ('Inventory', 'cFrequency', '盘点周期单位'),
    ('Inventory', 'iDays', '盘点日'),
    ('Inventory', 'dLastDate', '上次盘点日期')
on conflict do nothing;

insert into AccInformation (cSysID, cID, cName, cCaption, cValue, cDefault) values
    ('AA', '19', 'iStrsQuanDecDgt', '存货数量小数位数', '2', '2')
on conflict do nothing;

insert into GradeDef (KeyWord, CODINGRULE) values ('InventoryClass', '223')
on conflict do nothing;

insert into aa_rowauth_object (cBusObCode, bControlled) values
    ('Inventory', 0), ('Warehouse', 1), ('Person', 0)
on conflict do nothing;

insert into aa_user (cUserId, cUserName, bAdmin) values ('demo', '演示用户', 1)
on conflict do nothing;
