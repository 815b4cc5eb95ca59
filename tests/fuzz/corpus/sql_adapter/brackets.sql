Select cInvCode as [存货编码],cInvName as [存货 名称], 1 as [a]]"b] from Inventory -- note
