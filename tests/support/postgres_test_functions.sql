-- The few SQLite functions the tests' own checking queries use, so that one test text reads the
-- rows on either engine. Only test databases have them; the program never calls them.
create function ifnull(anyelement, anyelement) returns anyelement
    language sql immutable as 'select coalesce($1, $2)';

create function group_concat_step(joined text, value text, separator text) returns text
    language sql immutable as
    'select case when value is null then joined when joined is null then value
                 else joined || separator || value end';
create function group_concat_step(joined text, value text) returns text
    language sql immutable as 'select group_concat_step(joined, value, '','')';
create aggregate group_concat(text, text) (sfunc = group_concat_step, stype = text);
create aggregate group_concat(text) (sfunc = group_concat_step, stype = text);

-- printf with one whole number and the formats the tests write: %d and %0Nd.
create function printf(format text, value bigint) returns text
    language sql immutable as
    'select regexp_replace(format, ''%0?(\d*)d'',
         case when substring(format from ''%0(\d+)d'') is null then value::text
              else lpad(value::text, substring(format from ''%0(\d+)d'')::int, ''0'') end)';
