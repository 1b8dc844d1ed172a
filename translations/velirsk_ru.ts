<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>ADOConnection</name>
    <message>
        <source>Nothing can be changed in the directory: %1 So that nothing is written over the damage, the directory can now only be read.</source>
        <translation>В справочнике ничего нельзя изменить: %1 Чтобы ничего не записать поверх повреждения, справочник теперь можно только читать.</translation>
    </message>
    <message>
        <source>another program has the file open in WAL mode, which is unsafe when clerks on several machines share the file. Close that program and start this one again.</source>
        <translation>другая программа держит файл открытым в режиме WAL, а этот режим небезопасен, когда файлом пользуются с нескольких компьютеров. Закройте ту программу и запустите эту снова.</translation>
    </message>
    <message>
        <source>Cannot open the directory on the server: %1</source>
        <translation>Не удаётся открыть справочник на сервере: %1</translation>
    </message>
    <message>
        <source>the file is damaged (%1).</source>
        <translation>файл повреждён (%1).</translation>
    </message>
    <message>
        <source>The connection string names no data source file.</source>
        <translation>В строке подключения не указан файл базы данных.</translation>
    </message>
    <message>
        <source>Cannot open the database file &quot;%1&quot;: %2</source>
        <translation>Не удаётся открыть файл базы данных «%1»: %2</translation>
    </message>
    <message>
        <source>the database is locked by another user or program. Start the program again in a moment.</source>
        <translation>база данных занята другим пользователем или программой. Запустите программу снова чуть позже.</translation>
    </message>
</context>
<context>
    <name>ConnectionString</name>
    <message>
        <source>The connection string has an entry without &quot;=&quot;: %1</source>
        <translation>В строке подключения есть запись без «=»: %1</translation>
    </message>
    <message>
        <source>The connection string has an unterminated quoted value for &quot;%1&quot;.</source>
        <translation>В строке подключения не закрыты кавычки значения «%1».</translation>
    </message>
</context>
<context>
    <name>DatabaseFile</name>
    <message>
        <source>the file is not in the folder &quot;%1&quot;.</source>
        <translation>файла нет в папке «%1».</translation>
    </message>
    <message>
        <source>it is not a file.</source>
        <translation>это не файл.</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes); it holds no database.</source>
        <translation>файл пуст (0 байт), в нём нет базы данных.</translation>
    </message>
    <message>
        <source>the file cannot be read (access denied).</source>
        <translation>файл нельзя прочитать (нет доступа).</translation>
    </message>
    <message>
        <source>the file is not a database of this program.</source>
        <translation>это не база данных справочника.</translation>
    </message>
    <message>
        <source>the file is damaged (its header is invalid).</source>
        <translation>файл повреждён (неверный заголовок).</translation>
    </message>
    <message>
        <source>the file is read-only, so changes could not be saved.</source>
        <translation>файл доступен только для чтения, изменения нельзя было бы сохранить.</translation>
    </message>
    <message>
        <source>its folder is read-only, so changes could not be saved.</source>
        <translation>его папка доступна только для чтения, изменения нельзя было бы сохранить.</translation>
    </message>
    <message>
        <source>the file is truncated; part of the database is missing.</source>
        <translation>файл обрезан, части базы данных в нём нет.</translation>
    </message>
    <message>
        <source>it is a folder, not a file.</source>
        <translation>это папка, а не файл.</translation>
    </message>
    <message>
        <source>the file name is a symbolic link that leads round in a loop and reaches no file.</source>
        <translation>имя файла — символическая ссылка, которая ведёт по кругу и не приводит ни к какому файлу.</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; cannot be entered (access denied).</source>
        <translation>в папку «%1» нельзя войти (нет доступа).</translation>
    </message>
    <message>
        <source>a part of the path &quot;%1&quot; is a file, not a folder.</source>
        <translation>часть пути «%1» — файл, а не папка.</translation>
    </message>
    <message>
        <source>the file name is a symbolic link to &quot;%1&quot;, which does not exist.</source>
        <translation>имя файла — символическая ссылка на «%1», но такого файла не существует.</translation>
    </message>
    <message>
        <source>the file cannot be reached (%1).</source>
        <translation>до файла нельзя добраться (%1).</translation>
    </message>
</context>
<context>
    <name>SqlDialect</name>
    <message>
        <source>The SQL statement contains a NUL character.</source>
        <translation>В запросе SQL есть нулевой символ.</translation>
    </message>
    <message>
        <source>The SQL text holds more than one statement; only one can be run.</source>
        <translation>В тексте SQL больше одного запроса, а выполнить можно только один.</translation>
    </message>
    <message>
        <source>The SQL statement is empty.</source>
        <translation>Запрос SQL пуст.</translation>
    </message>
</context>
<context>
    <name>SqlTokenizer</name>
    <message>
        <source>Syntax error in the SQL statement: a comment is not closed.</source>
        <translation>Ошибка в запросе SQL: комментарий не закрыт.</translation>
    </message>
</context>
<context>
    <name>SqliteStatement</name>
    <message>
        <source>The SQL statement is empty.</source>
        <translation>Запрос SQL пуст.</translation>
    </message>
    <message>
        <source>The database is locked by another user or program. Try again in a moment.</source>
        <translation>База данных занята другим пользователем или программой. Повторите чуть позже.</translation>
    </message>
    <message>
        <source>The database file is damaged</source>
        <translation>Файл базы данных повреждён</translation>
    </message>
    <message>
        <source>The file is not a database of this program</source>
        <translation>Это не база данных справочника</translation>
    </message>
    <message>
        <source>The database file cannot be changed: it is read-only</source>
        <translation>Файл базы данных нельзя изменить: он доступен только для чтения</translation>
    </message>
    <message>
        <source>Access to the database file is denied</source>
        <translation>Нет доступа к файлу базы данных</translation>
    </message>
    <message>
        <source>The disk is full; the change was not saved</source>
        <translation>Диск заполнен, изменение не сохранено</translation>
    </message>
    <message>
        <source>The database file cannot be opened</source>
        <translation>Файл базы данных не открывается</translation>
    </message>
    <message>
        <source>The database file cannot be read or written (input/output error)</source>
        <translation>Файл базы данных не читается или не записывается (ошибка ввода-вывода)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Не хватает памяти</translation>
    </message>
    <message>
        <source>The database refused the change: it breaks a rule of the database</source>
        <translation>База данных не приняла изменение: оно нарушает правило, заданное в ней</translation>
    </message>
    <message>
        <source>The database reported an error</source>
        <translation>База данных сообщила об ошибке</translation>
    </message>
</context>
<context>
    <name>SystemMenu</name>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Восстановить</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Переместить</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Размер</translation>
    </message>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>&amp;Свернуть</translation>
    </message>
    <message>
        <source>Ma&amp;ximize</source>
        <translation>Р&amp;азвернуть</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
</context>
<context>
    <name>TADOTable</name>
    <message>
        <source>The database on the server does not hold the table &quot;%1&quot;.</source>
        <translation>В базе данных на сервере нет таблицы «%1».</translation>
    </message>
    <message>
        <source>The database file does not hold the table &quot;%1&quot;.</source>
        <translation>В файле базы данных нет таблицы «%1».</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
</context>
<context>
    <name>TCustomADODataSet</name>
    <message>
        <source>The database file holds several tables whose names differ from &quot;%1&quot; in case alone (%2), so it is not clear which one to show.</source>
        <translation>В файле базы данных несколько таблиц, чьи имена отличаются от «%1» только регистром букв (%2), и неясно, какую из них показывать.</translation>
    </message>
    <message>
        <source>%1: the data set has no connection.</source>
        <translation>%1: набор данных не связан с базой данных.</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; cannot be shown: its column &quot;%2&quot; has the name the program needs for numbering the rows.</source>
        <translation>Таблицу «%1» нельзя показать: её столбец «%2» носит имя, по которому программа нумерует строки.</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; cannot be shown: it is made without row numbers (WITHOUT ROWID), by which the program finds a row again when it is changed.</source>
        <translation>Таблицу «%1» нельзя показать: она создана без номеров строк (WITHOUT ROWID), а по ним программа находит строку, когда её меняют.</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; has too many rows to be shown.</source>
        <translation>В таблице «%1» слишком много строк, чтобы их показать.</translation>
    </message>
    <message>
        <source>The search was cancelled.</source>
        <translation>Поиск отменён.</translation>
    </message>
    <message>
        <source>The database is locked by another user or program, so the change was not saved. Nothing was lost: try again in a moment.</source>
        <translation>База данных занята другим пользователем или программой, поэтому изменение не сохранено. Ничего не потеряно: повторите чуть позже.</translation>
    </message>
    <message>
        <source>The row was not deleted because another user changed it after it was read. It now shows what it holds; delete it again if it is still to go.</source>
        <translation>Запись не удалена: другой пользователь изменил её, пока она была открыта здесь. Теперь она показана такой, какая есть; если она всё же не нужна, удалите её ещё раз.</translation>
    </message>
    <message>
        <source>The row was not deleted because another user has already deleted it.</source>
        <translation>Запись не удалена: другой пользователь уже удалил её.</translation>
    </message>
    <message>
        <source>The row was not deleted because another user or program held the database locked when it was shown, so what it holds was not read. It now shows what it holds; delete it again if it is still to go.</source>
        <translation>Запись не удалена: когда она была показана, база данных была занята другим пользователем или программой, и её содержимое не было прочитано. Теперь она показана такой, какая есть; если она всё же не нужна, удалите её ещё раз.</translation>
    </message>
    <message>
        <source>The row was not saved because another user changed it after it was read. What you typed is still in the row; cancel the edit (Esc or the &quot;Отмена&quot; button) to see the row as it is now.</source>
        <translation>Запись не сохранена: другой пользователь изменил её, пока она была открыта здесь. Набранный текст остался в записи; чтобы увидеть запись такой, какая она сейчас, отмените правку (клавиша Esc или кнопка «Отмена»).</translation>
    </message>
    <message>
        <source>The row was not saved because another user deleted it after it was read. What you typed is still in the row; cancel the edit (Esc or the &quot;Отмена&quot; button) to let it go.</source>
        <translation>Запись не сохранена: другой пользователь удалил её, пока она была открыта здесь. Набранный текст остался в записи; чтобы отказаться от него, отмените правку (клавиша Esc или кнопка «Отмена»).</translation>
    </message>
</context>
<context>
    <name>TDBGrid</name>
    <message>
        <source>This field holds at most %1 characters; with the inserted text it would have %2. The text was not inserted.</source>
        <translation>Поле вмещает не больше %1 знаков, а со вставленным текстом в нём было бы %2. Текст не вставлен, значение осталось прежним.</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>запись %1</translation>
    </message>
    <message>
        <source>new record</source>
        <translation>новая запись</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>Cannot perform this operation on an empty dataset</source>
        <translation>В таблице нет записей, действие невозможно</translation>
    </message>
    <message>
        <source>Dataset not in edit or insert mode</source>
        <translation>Запись не редактируется</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Номер вне списка (%1)</translation>
    </message>
    <message>
        <source>Field '%1' not found</source>
        <translation>Поле «%1» не найдено</translation>
    </message>
    <message>
        <source>Field '%1' cannot be modified</source>
        <translation>Поле «%1» изменить нельзя</translation>
    </message>
    <message>
        <source>Cannot perform this operation on a closed dataset</source>
        <translation>Таблица закрыта, действие невозможно</translation>
    </message>
    <message>
        <source>Cannot modify a read-only dataset</source>
        <translation>Эти записи можно только просматривать</translation>
    </message>
</context>
<context>
    <name>TDirectoryData</name>
    <message>
        <source>Cannot read the directory: the database is locked by another user or program. Start the program again in a moment.</source>
        <translation>Не удаётся прочитать справочник: база данных занята другим пользователем или программой. Запустите программу снова чуть позже.</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; of the database file lacks the fields: %2.</source>
        <translation>В таблице «%1» файла базы данных нет полей: %2.</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; of the database file has several fields whose names differ from &quot;%2&quot; in case alone (%3), so it is not clear which one to show.</source>
        <translation>В таблице «%1» файла базы данных несколько полей, чьи имена отличаются от «%2» только регистром букв (%3), и неясно, какое из них показывать.</translation>
    </message>
</context>
<context>
    <name>TFindDialog</name>
    <message>
        <source>The condition &quot;%1&quot; holds a NUL character (code 0), which cannot be searched for. The cursor stands before it: the Delete key removes it.</source>
        <translation>В условии «%1» есть нулевой символ (код 0): по нему искать нельзя. Курсор стоит перед этим символом, клавиша Delete удалит его.</translation>
    </message>
</context>
<context>
    <name>TPostgresStore</name>
    <message>
        <source>The database on the server holds several tables whose names differ from &quot;%1&quot; in case alone (%2), so it is not clear which one to show.</source>
        <translation>В базе данных на сервере несколько таблиц, чьи имена отличаются от «%1» только регистром букв (%2), и неясно, какую из них показывать.</translation>
    </message>
    <message>
        <source>the server cannot be reached (%1)</source>
        <translation>сервер недоступен (%1)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>не хватает памяти</translation>
    </message>
    <message>
        <source>The connection to the directory's server is lost and cannot be made again: %1 Nothing was changed; what you typed is kept, and the next step tries again.</source>
        <translation>Связь с сервером справочника потеряна и не восстанавливается: %1 Ничего не изменено; набранный текст сохранён, следующее действие попробует снова.</translation>
    </message>
    <message>
        <source>The connection to the directory's server was lost: %1 Nothing was changed; what you typed is kept, and the next step connects again.</source>
        <translation>Связь с сервером справочника потеряна: %1 Ничего не изменено; набранный текст сохранён, следующее действие подключится снова.</translation>
    </message>
    <message>
        <source>The server's work was cancelled.</source>
        <translation>Работа сервера прервана.</translation>
    </message>
    <message>
        <source>The directory's server refused the request: %1</source>
        <translation>Сервер справочника отклонил запрос: %1</translation>
    </message>
    <message>
        <source>The table &quot;%1&quot; on the server cannot be shown: it has no column rowid, by which the program finds a row again when it is changed.</source>
        <translation>Таблицу «%1» на сервере нельзя показать: в ней нет столбца rowid, по которому программа снова находит запись, когда её меняют.</translation>
    </message>
</context>
</TS>
