-- The rights on an account's tables, held by two group roles whose names the caller sets first
-- (set_config('whinv.users_role', …, true), the same for whinv.admins_role). Runs after the
-- account schema, in its transaction, as the tables' owner with the right to create roles. Every
-- run sets the rights anew: a right granted by hand or by an earlier set-up does not outlive it,
-- whoever it was granted to.
--
-- Users read the whole account and write the correspondence rows, their locks, their own
-- settings and the page set-up, each as far as the row policies of the schema let them (the
-- change history is written by the schema's triggers alone);
-- administrators also write the master tables, the users and the row grants. Nobody but the
-- owner may truncate (which skips the row policies), add triggers or reference the tables.
set local client_min_messages = warning;
do $$
declare
    users constant text := current_setting('whinv.users_role');
    admins constant text := current_setting('whinv.admins_role');
    -- Our own fixed names, written unquoted as the schema writes them.
    account_tables constant text[] := array['whinv_schema', 'whinv_session_lock', 'Warehouse',
        'InventoryClass', 'computationGroup', 'ComputationUnit', 'Person', 'Inventory',
        'WhInvContrapose', 'GradeDef', 'aa_columndic', 'AccInformation', 'aa_user',
        'aa_rowauth_object', 'aa_rowauth', 'aa_prnstyle', 'aa_formlayout', 'aa_formoption',
        'whinv_change', 'whinv_change_value'];
    written_by_users constant text[] := array['WhInvContrapose', 'whinv_session_lock',
        'aa_formlayout', 'aa_formoption', 'aa_prnstyle'];
    written_by_admins constant text[] := array['Warehouse', 'Inventory', 'InventoryClass',
        'computationGroup', 'ComputationUnit', 'Person', 'GradeDef', 'aa_columndic',
        'AccInformation', 'aa_user', 'aa_rowauth', 'aa_rowauth_object'];
    relation regclass;
    grantee oid;
    table_name text;
    writers text;
begin
    if not exists (select from pg_roles where rolname = users) then
        execute format('create role %I nologin', users);
    end if;
    if not exists (select from pg_roles where rolname = admins) then
        execute format('create role %I nologin', admins);
    end if;
    execute format('grant %I to %I', users, admins);

    -- The tables, the rows an upgrade set aside from them with its notice, and the sequences
    -- behind their identities lose every right but the owner's.
    for relation in
        select unnest(account_tables)::regclass
        union
        select to_regclass(t || '_set_aside') from unnest(account_tables) t
        where to_regclass(t || '_set_aside') is not null
        union
        select to_regclass('whinv_set_aside_notice')
        where to_regclass('whinv_set_aside_notice') is not null
        union
        select d.objid::regclass from pg_depend d join pg_class s on s.oid = d.objid
        where s.relkind = 'S' and d.deptype in ('a', 'i')
            and d.refobjid in (select unnest(account_tables)::regclass)
    loop
        for grantee in
            select distinct a.grantee from pg_class c, aclexplode(c.relacl) a
            where c.oid = relation and a.grantee <> c.relowner
        loop
            execute format('revoke all on %s from %s', relation,
                           case when grantee = 0 then 'public' else grantee::regrole::text end);
        end loop;
    end loop;

    foreach relation in array account_tables loop
        execute format('grant select on %s to %I', relation, users);
    end loop;
    foreach relation in array written_by_users loop
        execute format('grant insert, update, delete on %s to %I', relation, users);
    end loop;
    foreach relation in array written_by_admins loop
        execute format('grant insert, update, delete on %s to %I', relation, admins);
    end loop;
    for relation in
        select d.objid::regclass from pg_depend d join pg_class s on s.oid = d.objid
        where s.relkind = 'S' and d.deptype in ('a', 'i')
            and d.refobjid in (select unnest(written_by_admins)::regclass)
    loop
        execute format('grant usage, select, update on sequence %s to %I', relation, admins);
    end loop;

    -- A row an upgrade set aside is taken back by those who may delete its table's rows, within
    -- the same row policies, and its notice read and cleared by every user: an account upgraded
    -- before its rights were first set (one of the first schema, which had none) gains them here.
    for table_name, writers in
        select t, users from unnest(written_by_users) t
        union all
        select t, admins from unnest(written_by_admins) t
    loop
        relation := to_regclass(table_name || '_set_aside');
        if relation is not null then
            execute format('grant select, delete on %s to %I', relation, writers);
        end if;
    end loop;
    if to_regclass('whinv_set_aside_notice') is not null then
        execute format('grant select, delete on whinv_set_aside_notice to %I', users);
    end if;
end $$;

-- Under row policies the server uses an index for a statement's own condition (one warehouse's
-- rows, one row by its key) only when the condition's comparison is marked leakproof. citext's
-- comparisons are leakproof in fact (they compare lower-case copies and fail on nothing a stored
-- value holds) but are not marked so, and without the mark every statement of a login bound by
-- the policies reads the whole table. Only a superuser may set the mark; it holds in this
-- database alone, until citext is made again (a restore, an upgrade), and this set-up sets it
-- again.
do $$
declare
    comparison text;
begin
    if (select rolsuper from pg_roles where rolname = current_user) then
        foreach comparison in array array['citext_eq', 'citext_ne', 'citext_lt', 'citext_le',
                                           'citext_gt', 'citext_ge'] loop
            execute format('alter function %s leakproof',
                           to_regprocedure(comparison || '(citext, citext)'));
        end loop;
    end if;
end $$;
