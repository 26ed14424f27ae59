<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>CCalcAboutDialog</name>
    <message>
        <source>About Calculator</source>
        <translation>О калькуляторе</translation>
    </message>
    <message>
        <source>Calculator Tarvik F</source>
        <translation>Калькулятор Tarvik F</translation>
    </message>
    <message>
        <source>Free version</source>
        <translation>Бесплатная версия</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Поддержка</translation>
    </message>
    <message>
        <source>Professional version</source>
        <translation>Профессиональная версия</translation>
    </message>
    <message>
        <source>© Tarvik. All rights reserved.</source>
        <translation>© Tarvik. Все права защищены.</translation>
    </message>
    <message>
        <source>Perfect</source>
        <translation>Отлично</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Логотип</translation>
    </message>
</context>
<context>
    <name>CCalcApp</name>
    <message>
        <source>%1 needs the file to print.</source>
        <translation>Для %1 нужен файл, который надо напечатать.</translation>
    </message>
</context>
<context>
    <name>CCalcDoc</name>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>При обращении к %1 произошла неизвестная ошибка.</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 не найден.</translation>
    </message>
    <message>
        <source>%1 contains an incorrect path.</source>
        <translation>%1 содержит неверный путь.</translation>
    </message>
    <message>
        <source>Could not open %1 because there are too many open files.</source>
        <translation>Не удалось открыть %1: открыто слишком много файлов.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Доступ к %1 запрещён.</translation>
    </message>
    <message>
        <source>An incorrect file handle was associated with %1.</source>
        <translation>С %1 связан неверный дескриптор файла.</translation>
    </message>
    <message>
        <source>Could not create %1 because the directory is full.</source>
        <translation>Не удалось создать %1: каталог заполнен.</translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation>Ошибка позиционирования в %1</translation>
    </message>
    <message>
        <source>Encountered a hardware I/O error while accessing %1.</source>
        <translation>При обращении к %1 произошла аппаратная ошибка ввода-вывода.</translation>
    </message>
    <message>
        <source>Encountered a sharing violation while accessing %1.</source>
        <translation>При обращении к %1 произошло нарушение совместного доступа.</translation>
    </message>
    <message>
        <source>Encountered a locking violation while accessing %1.</source>
        <translation>При обращении к %1 произошло нарушение блокировки.</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>Диск переполнен при обращении к %1.</translation>
    </message>
    <message>
        <source>Attempted to access %1 past its end.</source>
        <translation>Попытка доступа за пределы файла %1.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Не удалось открыть документ.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Не удалось сохранить документ.</translation>
    </message>
    <message>
        <source>Memory 1</source>
        <translation>Память 1</translation>
    </message>
    <message>
        <source>%1 is too large to open.
A calculation file holds at most 67,108,864 characters.</source>
        <translation>%1 слишком велик для открытия.
Файл расчёта вмещает не более 67&#xa0;108&#xa0;864 знаков.</translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation>Вычисление…</translation>
    </message>
    <message>
        <source>Opening %1…</source>
        <translation>Открытие %1…</translation>
    </message>
    <message>
        <source>Executing %1…</source>
        <translation>Выполнение %1…</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <source>%1 is a link to a file that does not exist.</source>
        <translation>%1 — ссылка на несуществующий файл.</translation>
    </message>
    <message>
        <source>%1 could not be written completely and now holds only part of the new text.
Save it again, or save it under another name.</source>
        <translation>Не удалось полностью записать %1: теперь в нём лишь часть нового текста.
Сохраните ещё раз или сохраните под другим именем.</translation>
    </message>
</context>
<context>
    <name>CCalcFileDialog</name>
    <message>
        <source>Calculation files (*.tvc)</source>
        <translation>Файлы расчётов (*.tvc)</translation>
    </message>
    <message>
        <source>Memory files (*.tvm)</source>
        <translation>Файлы памяти (*.tvm)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
</context>
<context>
    <name>CCalcHelpWindow</name>
    <message>
        <source>The help file %1 cannot be opened.
Install the program again to restore its manual.</source>
        <translation>Не удаётся открыть файл справки %1.
Установите программу заново, чтобы восстановить руководство.</translation>
    </message>
    <message>
        <source>Numera Help</source>
        <translation>Справка Numera</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Содержание</translation>
    </message>
    <message>
        <source>Look for a keyword</source>
        <translation>Найти ключевое слово</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>&amp;Указатель</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Поиск</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Навигация</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
</context>
<context>
    <name>CCalcKeyPad</name>
    <message>
        <source>Keypad</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <source>Cannot load the selected font.
Using default font.</source>
        <translation>Не удаётся загрузить выбранный шрифт.
Используется шрифт по умолчанию.</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>Delete the previous character</source>
        <translation>Удалить предыдущий знак</translation>
    </message>
    <message>
        <source>Calculate the cell</source>
        <translation>Вычислить ячейку</translation>
    </message>
    <message>
        <source>Calculate all cells</source>
        <translation>Вычислить все ячейки</translation>
    </message>
    <message>
        <source>Free the memory</source>
        <translation>Очистить память</translation>
    </message>
    <message>
        <source>Insert a line end</source>
        <translation>Вставить конец строки</translation>
    </message>
    <message>
        <source>Insert ; and a line end</source>
        <translation>Вставить ; и конец строки</translation>
    </message>
    <message>
        <source>Insert %1</source>
        <translation>Вставить %1</translation>
    </message>
</context>
<context>
    <name>CCalcLog</name>
    <message>
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>N</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Context</source>
        <translation>Контекст</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
</context>
<context>
    <name>CCalcMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Создать</translation>
    </message>
    <message>
        <source>Start a new calculation</source>
        <translation>Начать новый расчёт</translation>
    </message>
    <message>
        <source>New Ctrl+N</source>
        <translation>Создать Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть…</translation>
    </message>
    <message>
        <source>Open a calculation file</source>
        <translation>Открыть файл расчёта</translation>
    </message>
    <message>
        <source>Open Ctrl+O</source>
        <translation>Открыть Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Со&amp;хранить</translation>
    </message>
    <message>
        <source>Save the calculation</source>
        <translation>Сохранить расчёт</translation>
    </message>
    <message>
        <source>Save Ctrl+S</source>
        <translation>Сохранить Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Сохранить &amp;как…</translation>
    </message>
    <message>
        <source>Save the calculation under a new name</source>
        <translation>Сохранить расчёт под новым именем</translation>
    </message>
    <message>
        <source>&amp;Execute...</source>
        <translation>&amp;Выполнить…</translation>
    </message>
    <message>
        <source>Calculate a file against the memory</source>
        <translation>Вычислить файл с текущей памятью</translation>
    </message>
    <message>
        <source>Execute file Ctrl+E</source>
        <translation>Выполнить файл Ctrl+E</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Quit the calculator</source>
        <translation>Завершить работу калькулятора</translation>
    </message>
    <message>
        <source>Open this calculation</source>
        <translation>Открыть этот расчёт</translation>
    </message>
    <message>
        <source>&amp;Free</source>
        <translation>&amp;Очистить</translation>
    </message>
    <message>
        <source>Erase all memory cells</source>
        <translation>Стереть все ячейки памяти</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Загрузить…</translation>
    </message>
    <message>
        <source>Load memory cells from a file</source>
        <translation>Загрузить ячейки памяти из файла</translation>
    </message>
    <message>
        <source>Load memory</source>
        <translation>Загрузить память</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Сохранить…</translation>
    </message>
    <message>
        <source>Save the memory cells to a file</source>
        <translation>Сохранить ячейки памяти в файл</translation>
    </message>
    <message>
        <source>Save memory</source>
        <translation>Сохранить память</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Вычислить</translation>
    </message>
    <message>
        <source>Calculate the current cell</source>
        <translation>Вычислить текущую ячейку</translation>
    </message>
    <message>
        <source>Calculate all</source>
        <translation>Вычислить всё</translation>
    </message>
    <message>
        <source>Calculate all cells</source>
        <translation>Вычислить все ячейки</translation>
    </message>
    <message>
        <source>Calculate all Ctrl+Shift+=</source>
        <translation>Вычислить всё Ctrl+Shift+=</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>Undo the last edit</source>
        <translation>Отменить последнее изменение</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Вы&amp;резать</translation>
    </message>
    <message>
        <source>Cut the selection to the clipboard</source>
        <translation>Вырезать выделенное в буфер обмена</translation>
    </message>
    <message>
        <source>Cut Ctrl+X</source>
        <translation>Вырезать Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard</source>
        <translation>Копировать выделенное в буфер обмена</translation>
    </message>
    <message>
        <source>Copy Ctrl+C</source>
        <translation>Копировать Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Вст&amp;авить</translation>
    </message>
    <message>
        <source>Insert the clipboard text</source>
        <translation>Вставить текст из буфера обмена</translation>
    </message>
    <message>
        <source>Paste Ctrl+V</source>
        <translation>Вставить Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Панель &amp;инструментов</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Показать или скрыть панель инструментов</translation>
    </message>
    <message>
        <source>&amp;Keypad</source>
        <translation>&amp;Клавиатура</translation>
    </message>
    <message>
        <source>Show or hide keypad</source>
        <translation>Показать или скрыть клавиатуру</translation>
    </message>
    <message>
        <source>Toggle keypad Ctrl+K</source>
        <translation>Показать/скрыть клавиатуру Ctrl+K</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Журнал</translation>
    </message>
    <message>
        <source>Show or hide log</source>
        <translation>Показать или скрыть журнал</translation>
    </message>
    <message>
        <source>Toggle log Ctrl+L</source>
        <translation>Показать/скрыть журнал Ctrl+L</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>Па&amp;мять</translation>
    </message>
    <message>
        <source>Show or hide memory</source>
        <translation>Показать или скрыть память</translation>
    </message>
    <message>
        <source>Toggle memory Ctrl+M</source>
        <translation>Показать/скрыть память Ctrl+M</translation>
    </message>
    <message>
        <source>St&amp;atistics</source>
        <translation>С&amp;татистика</translation>
    </message>
    <message>
        <source>Show or hide statistics</source>
        <translation>Показать или скрыть статистику</translation>
    </message>
    <message>
        <source>Toggle statistics Ctrl+T</source>
        <translation>Показать/скрыть статистику Ctrl+T</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Строка &amp;состояния</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Показать или скрыть строку состояния</translation>
    </message>
    <message>
        <source>Focus editor</source>
        <translation>Фокус: редактор</translation>
    </message>
    <message>
        <source>Go to the editor</source>
        <translation>Перейти к редактору</translation>
    </message>
    <message>
        <source>Focus keypad</source>
        <translation>Фокус: клавиатура</translation>
    </message>
    <message>
        <source>Go to the keypad</source>
        <translation>Перейти к клавиатуре</translation>
    </message>
    <message>
        <source>Focus log</source>
        <translation>Фокус: журнал</translation>
    </message>
    <message>
        <source>Go to the log</source>
        <translation>Перейти к журналу</translation>
    </message>
    <message>
        <source>Focus memory</source>
        <translation>Фокус: память</translation>
    </message>
    <message>
        <source>Go to the memory</source>
        <translation>Перейти к памяти</translation>
    </message>
    <message>
        <source>Focus statistics</source>
        <translation>Фокус: статистика</translation>
    </message>
    <message>
        <source>Go to the statistics</source>
        <translation>Перейти к статистике</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Параметры…</translation>
    </message>
    <message>
        <source>Change the preferences</source>
        <translation>Изменить параметры</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Trigonometric units</source>
        <translation>Единицы углов</translation>
    </message>
    <message>
        <source>Choose the unit of angles</source>
        <translation>Выбрать единицу измерения углов</translation>
    </message>
    <message>
        <source>&amp;West</source>
        <translation>&amp;Западная</translation>
    </message>
    <message>
        <source>Function names of the West tradition</source>
        <translation>Имена функций западной традиции</translation>
    </message>
    <message>
        <source>&amp;East</source>
        <translation>&amp;Восточная</translation>
    </message>
    <message>
        <source>Function names of the East tradition</source>
        <translation>Имена функций восточной традиции</translation>
    </message>
    <message>
        <source>&amp;2000</source>
        <translation>&amp;2000</translation>
    </message>
    <message>
        <source>Classic keypad buttons</source>
        <translation>Классические кнопки клавиатуры</translation>
    </message>
    <message>
        <source>&amp;Tarvik</source>
        <translation>&amp;Tarvik</translation>
    </message>
    <message>
        <source>Capsule keypad buttons</source>
        <translation>Кнопки клавиатуры в виде капсул</translation>
    </message>
    <message>
        <source>&amp;XP</source>
        <translation>&amp;XP</translation>
    </message>
    <message>
        <source>Rounded keypad buttons</source>
        <translation>Скруглённые кнопки клавиатуры</translation>
    </message>
    <message>
        <source>&amp;Vista</source>
        <translation>&amp;Vista</translation>
    </message>
    <message>
        <source>Glass keypad buttons</source>
        <translation>Стеклянные кнопки клавиатуры</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>&amp;Выбрать…</translation>
    </message>
    <message>
        <source>Choose the keypad font</source>
        <translation>Выбрать шрифт клавиатуры</translation>
    </message>
    <message>
        <source>S&amp;ystem</source>
        <translation>&amp;Системный</translation>
    </message>
    <message>
        <source>Use the system font on the keypad</source>
        <translation>Системный шрифт на клавиатуре</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>&amp;По умолчанию</translation>
    </message>
    <message>
        <source>Use the default keypad font</source>
        <translation>Шрифт клавиатуры по умолчанию</translation>
    </message>
    <message>
        <source>&amp;Function...</source>
        <translation>&amp;Функциональные…</translation>
    </message>
    <message>
        <source>Text colour of function keys</source>
        <translation>Цвет текста функциональных клавиш</translation>
    </message>
    <message>
        <source>&amp;Digit...</source>
        <translation>&amp;Цифровые…</translation>
    </message>
    <message>
        <source>Text colour of digit keys</source>
        <translation>Цвет текста цифровых клавиш</translation>
    </message>
    <message>
        <source>&amp;Service...</source>
        <translation>Слу&amp;жебные…</translation>
    </message>
    <message>
        <source>Text colour of service keys</source>
        <translation>Цвет текста служебных клавиш</translation>
    </message>
    <message>
        <source>System text colour on all keys</source>
        <translation>Системный цвет текста на всех клавишах</translation>
    </message>
    <message>
        <source>D&amp;efault</source>
        <translation>&amp;По умолчанию</translation>
    </message>
    <message>
        <source>Default text colours</source>
        <translation>Цвета текста по умолчанию</translation>
    </message>
    <message>
        <source>Colour of function keys</source>
        <translation>Цвет функциональных клавиш</translation>
    </message>
    <message>
        <source>Colour of digit keys</source>
        <translation>Цвет цифровых клавиш</translation>
    </message>
    <message>
        <source>Colour of service keys</source>
        <translation>Цвет служебных клавиш</translation>
    </message>
    <message>
        <source>System colour on all keys</source>
        <translation>Системный цвет всех клавиш</translation>
    </message>
    <message>
        <source>Default key colours</source>
        <translation>Цвета клавиш по умолчанию</translation>
    </message>
    <message>
        <source>Choose the editor font</source>
        <translation>Выбрать шрифт редактора</translation>
    </message>
    <message>
        <source>Use the default editor font</source>
        <translation>Шрифт редактора по умолчанию</translation>
    </message>
    <message>
        <source>&amp;About Calculator...</source>
        <translation>&amp;О калькуляторе…</translation>
    </message>
    <message>
        <source>Show the program name, version and maker</source>
        <translation>Показать название программы, версию и разработчика</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Последний файл</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Notation</source>
        <translation>&amp;Нотация</translation>
    </message>
    <message>
        <source>&amp;Style</source>
        <translation>&amp;Стиль</translation>
    </message>
    <message>
        <source>&amp;Font</source>
        <translation>&amp;Шрифт</translation>
    </message>
    <message>
        <source>&amp;Text Color</source>
        <translation>Цвет &amp;текста</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>Цвет &amp;клавиш</translation>
    </message>
    <message>
        <source>&amp;Editor Font</source>
        <translation>&amp;Шрифт редактора</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Память</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>rslt = %1</source>
        <translation>rslt = %1</translation>
    </message>
    <message>
        <source>SSE2</source>
        <translation>SSE2</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup...</source>
        <translation>Пара&amp;метры страницы…</translation>
    </message>
    <message>
        <source>Change the printing options</source>
        <translation>Изменить параметры печати</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Разделы справки</translation>
    </message>
    <message>
        <source>List the help topics</source>
        <translation>Показать разделы справки</translation>
    </message>
    <message>
        <source>Help Topics</source>
        <translation>Разделы справки</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Show help for the part that has the focus</source>
        <translation>Показать справку о части окна, у которой фокус</translation>
    </message>
    <message>
        <source>Context help</source>
        <translation>Контекстная справка</translation>
    </message>
    <message>
        <source>Show help for a clicked part of the window</source>
        <translation>Показать справку о части окна, по которой щёлкнули</translation>
    </message>
    <message>
        <source>Context help Shift+F1</source>
        <translation>Контекстная справка Shift+F1</translation>
    </message>
    <message>
        <source>Default help</source>
        <translation>Справка по умолчанию</translation>
    </message>
    <message>
        <source>Show the first page of help</source>
        <translation>Показать первую страницу справки</translation>
    </message>
    <message>
        <source>Next pane</source>
        <translation>Следующая область</translation>
    </message>
    <message>
        <source>Go to the next pane</source>
        <translation>Перейти к следующей области</translation>
    </message>
    <message>
        <source>Previous pane</source>
        <translation>Предыдущая область</translation>
    </message>
    <message>
        <source>Go back to the previous pane</source>
        <translation>Вернуться к предыдущей области</translation>
    </message>
    <message>
        <source>Last result</source>
        <translation>Последний результат</translation>
    </message>
    <message>
        <source>Angle unit</source>
        <translation>Единица углов</translation>
    </message>
    <message>
        <source>Processor module</source>
        <translation>Модуль процессора</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Caps Lock</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Num Lock</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Печать…</translation>
    </message>
    <message>
        <source>Print the calculation</source>
        <translation>Напечатать расчёт</translation>
    </message>
    <message>
        <source>Print Ctrl+P</source>
        <translation>Печать Ctrl+P</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>П&amp;редварительный просмотр</translation>
    </message>
    <message>
        <source>Show the pages as they will print</source>
        <translation>Показать страницы такими, какими они будут напечатаны</translation>
    </message>
    <message>
        <source>Result &amp;digits</source>
        <translation>&amp;Цифры результата</translation>
    </message>
    <message>
        <source>&amp;Exact (19 digits)</source>
        <translation>&amp;Точно (19 цифр)</translation>
    </message>
    <message>
        <source>Write results with 19 significant digits</source>
        <translation>Записывать результаты с 19 значащими цифрами</translation>
    </message>
    <message>
        <source>&amp;Shortest</source>
        <translation>&amp;Кратчайшая запись</translation>
    </message>
    <message>
        <source>Write results with the fewest digits that keep their value</source>
        <translation>Записывать результаты наименьшим числом цифр, сохраняющим значение</translation>
    </message>
    <message>
        <source>Significant digits: &amp;3</source>
        <translation>Значащих цифр: &amp;3</translation>
    </message>
    <message>
        <source>Round results to 3 significant digits</source>
        <translation>Округлять результаты до 3 значащих цифр</translation>
    </message>
    <message>
        <source>Significant digits: &amp;6</source>
        <translation>Значащих цифр: &amp;6</translation>
    </message>
    <message>
        <source>Round results to 6 significant digits</source>
        <translation>Округлять результаты до 6 значащих цифр</translation>
    </message>
    <message>
        <source>Significant digits: 1&amp;0</source>
        <translation>Значащих цифр: 1&amp;0</translation>
    </message>
    <message>
        <source>Round results to 10 significant digits</source>
        <translation>Округлять результаты до 10 значащих цифр</translation>
    </message>
    <message>
        <source>Significant digits: 1&amp;5</source>
        <translation>Значащих цифр: 1&amp;5</translation>
    </message>
    <message>
        <source>Round results to 15 significant digits</source>
        <translation>Округлять результаты до 15 значащих цифр</translation>
    </message>
    <message>
        <source>Decimals: &amp;0</source>
        <translation>Десятичных знаков: &amp;0</translation>
    </message>
    <message>
        <source>Round results to whole numbers</source>
        <translation>Округлять результаты до целых</translation>
    </message>
    <message>
        <source>Decimals: &amp;2</source>
        <translation>Десятичных знаков: &amp;2</translation>
    </message>
    <message>
        <source>Round results to 2 decimals</source>
        <translation>Округлять результаты до 2 знаков после запятой</translation>
    </message>
    <message>
        <source>Decimals: &amp;4</source>
        <translation>Десятичных знаков: &amp;4</translation>
    </message>
    <message>
        <source>Round results to 4 decimals</source>
        <translation>Округлять результаты до 4 знаков после запятой</translation>
    </message>
    <message>
        <source>&amp;Other...</source>
        <translation>&amp;Другое...</translation>
    </message>
    <message>
        <source>Choose any number of digits in the preferences</source>
        <translation>Выбрать любое число цифр в настройках</translation>
    </message>
    <message>
        <source>Live result</source>
        <translation>Текущий результат</translation>
    </message>
    <message>
        <source>L&amp;ive Result</source>
        <translation>&amp;Текущий результат</translation>
    </message>
    <message>
        <source>Show or hide the result of the cell at the caret while typing</source>
        <translation>Показать или скрыть результат ячейки под курсором при наборе</translation>
    </message>
    <message>
        <source>&amp;Highlighting</source>
        <translation>&amp;Подсветка</translation>
    </message>
    <message>
        <source>Colour numbers, names, comments and results</source>
        <translation>Выделять цветом числа, имена, комментарии и результаты</translation>
    </message>
</context>
<context>
    <name>CCalcMemory</name>
    <message>
        <source>Memory</source>
        <translation>Память</translation>
    </message>
    <message>
        <source>Incl</source>
        <translation>Учёт</translation>
    </message>
    <message>
        <source>N</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Cell</source>
        <translation>Ячейка</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Стереть</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Статистика</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Обратить отметки</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Снять отметки</translation>
    </message>
    <message>
        <source>Erase all the memory?</source>
        <translation>Стереть всю память?</translation>
    </message>
    <message>
        <source>Erase the selected memory?</source>
        <translation>Стереть отмеченные ячейки памяти?</translation>
    </message>
    <message>
        <source>Memory 1</source>
        <translation>Память 1</translation>
    </message>
    <message>
        <source>Calculator memory files (*.tvm)|*.tvm||</source>
        <translation>Файлы памяти калькулятора (*.tvm)|*.tvm||</translation>
    </message>
    <message>
        <source>Cannot open the file for writing.</source>
        <translation>Не удаётся открыть файл для записи.</translation>
    </message>
    <message>
        <source>Only one cell is selected.
Calculate for all cells?</source>
        <translation>Отмечена только одна ячейка.
Вычислить по всем ячейкам?</translation>
    </message>
    <message>
        <source>&amp;Copy value</source>
        <translation>&amp;Копировать значение</translation>
    </message>
    <message>
        <source>Copy &amp;exact value</source>
        <translation>Копировать &amp;точное значение</translation>
    </message>
    <message>
        <source>&amp;Insert into the text</source>
        <translation>&amp;Вставить в текст</translation>
    </message>
</context>
<context>
    <name>CCalcPageSetup</name>
    <message>
        <source>Printer</source>
        <translation>Принтер</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Имя:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>%1 %2 pt</source>
        <translation>%1 %2 пт</translation>
    </message>
    <message>
        <source>, bold</source>
        <translation>, полужирный</translation>
    </message>
    <message>
        <source>, italic</source>
        <translation>, курсив</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>Параметры страницы</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>- n -</source>
        <translation>- n -</translation>
    </message>
    <message>
        <source>n of N</source>
        <translation>n из N</translation>
    </message>
    <message>
        <source>Header center</source>
        <translation>Вверху по центру</translation>
    </message>
    <message>
        <source>Header right</source>
        <translation>Вверху справа</translation>
    </message>
    <message>
        <source>Footer center</source>
        <translation>Внизу по центру</translation>
    </message>
    <message>
        <source>Footer right</source>
        <translation>Внизу справа</translation>
    </message>
    <message>
        <source>Page layout</source>
        <translation>Макет страницы</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ориентация</translation>
    </message>
    <message>
        <source>Margins (millimeters)</source>
        <translation>Поля (мм)</translation>
    </message>
    <message>
        <source>Margins (inches)</source>
        <translation>Поля (дюймы)</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Страница</translation>
    </message>
    <message>
        <source>Text font</source>
        <translation>Шрифт текста</translation>
    </message>
    <message>
        <source>Header/footer font</source>
        <translation>Шрифт колонтитулов</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Принтер:</translation>
    </message>
    <message>
        <source>Si&amp;ze:</source>
        <translation>&amp;Размер:</translation>
    </message>
    <message>
        <source>P&amp;ortrait</source>
        <translation>К&amp;нижная</translation>
    </message>
    <message>
        <source>L&amp;andscape</source>
        <translation>Ал&amp;ьбомная</translation>
    </message>
    <message>
        <source>&amp;Left:</source>
        <translation>&amp;Левое:</translation>
    </message>
    <message>
        <source>&amp;Top:</source>
        <translation>&amp;Верхнее:</translation>
    </message>
    <message>
        <source>&amp;Right:</source>
        <translation>П&amp;равое:</translation>
    </message>
    <message>
        <source>&amp;Bottom:</source>
        <translation>Ни&amp;жнее:</translation>
    </message>
    <message>
        <source>&amp;Printer...</source>
        <translation>&amp;Принтер…</translation>
    </message>
    <message>
        <source>&amp;File info</source>
        <translation>&amp;Сведения о файле</translation>
    </message>
    <message>
        <source>&amp;Number</source>
        <translation>Н&amp;омер</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Дата</translation>
    </message>
    <message>
        <source>T&amp;ime</source>
        <translation>Вре&amp;мя</translation>
    </message>
    <message>
        <source>Number format</source>
        <translation>Формат номера</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Положение</translation>
    </message>
    <message>
        <source>D&amp;efault</source>
        <translation>По &amp;умолчанию</translation>
    </message>
    <message>
        <source>&amp;Select...</source>
        <translation>В&amp;ыбрать…</translation>
    </message>
    <message>
        <source>No printer is installed.</source>
        <translation>Принтер не установлен.</translation>
    </message>
    <message>
        <source>Defa&amp;ult</source>
        <translation>По у&amp;молчанию</translation>
    </message>
    <message>
        <source>Sele&amp;ct...</source>
        <translation>Выб&amp;рать…</translation>
    </message>
</context>
<context>
    <name>CCalcPreferences</name>
    <message>
        <source> Preferences</source>
        <translation> Параметры</translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Вычисления</translation>
    </message>
    <message>
        <source>Append power ^ with parenthese</source>
        <translation>Добавлять скобку после ^</translation>
    </message>
    <message>
        <source>Notation</source>
        <translation>Нотация</translation>
    </message>
    <message>
        <source>West</source>
        <translation>Западная</translation>
    </message>
    <message>
        <source>East</source>
        <translation>Восточная</translation>
    </message>
    <message>
        <source>Pop-up on new message if hidden</source>
        <translation>Показывать при новом сообщении</translation>
    </message>
    <message>
        <source>Trigonometric units</source>
        <translation>Единицы углов</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Радианы</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Градусы</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Грады</translation>
    </message>
    <message>
        <source>Memory free confirmation</source>
        <translation>Подтверждать стирание памяти</translation>
    </message>
    <message>
        <source>Clear confirmation</source>
        <translation>Подтверждать очистку вычислений</translation>
    </message>
    <message>
        <source>Use SSE2 processor module</source>
        <translation>Использовать модуль SSE2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Result digits</source>
        <translation>Цифры результата</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показ</translation>
    </message>
    <message>
        <source>Exact (19 digits)</source>
        <translation>Точно (19 цифр)</translation>
    </message>
    <message>
        <source>Shortest</source>
        <translation>Кратчайшая запись</translation>
    </message>
    <message>
        <source>Significant digits</source>
        <translation>Значащие цифры</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Десятичные знаки</translation>
    </message>
    <message>
        <source>Number of digits</source>
        <translation>Число цифр</translation>
    </message>
</context>
<context>
    <name>CCalcPrintJob</name>
    <message>
        <source>PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*||</source>
        <translation>Файлы PDF (*.pdf)|*.pdf|Все файлы (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Print to File</source>
        <translation>Печать в файл</translation>
    </message>
    <message>
        <source>Printed into %1</source>
        <translation>Напечатано в %1</translation>
    </message>
</context>
<context>
    <name>CCalcPrintPreview</name>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Печать…</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>&amp;Следующая</translation>
    </message>
    <message>
        <source>Pre&amp;v Page</source>
        <translation>П&amp;редыдущая</translation>
    </message>
    <message>
        <source>&amp;Two Page</source>
        <translation>&amp;Две страницы</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Крупнее</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>&amp;Мельче</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Pages %1-%2</source>
        <translation>Страницы %1-%2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Страница %1</translation>
    </message>
    <message>
        <source>&amp;One Page</source>
        <translation>&amp;Одна страница</translation>
    </message>
</context>
<context>
    <name>CCalcPrintingDialog</name>
    <message>
        <source>Printing</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Page   </source>
        <translation>Страница   </translation>
    </message>
    <message>
        <source>Document   </source>
        <translation>Документ   </translation>
    </message>
    <message>
        <source>Printer   </source>
        <translation>Принтер   </translation>
    </message>
    <message>
        <source>Port   </source>
        <translation>Порт   </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CCalcStatistics</name>
    <message>
        <source>Mean (average)</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <source>Variance</source>
        <translation>Дисперсия</translation>
    </message>
    <message>
        <source>Standard deviation</source>
        <translation>Стандартное отклонение</translation>
    </message>
    <message>
        <source>Average deviation</source>
        <translation>Среднее отклонение</translation>
    </message>
    <message>
        <source>Skewness</source>
        <translation>Асимметрия</translation>
    </message>
    <message>
        <source>Kurtosis</source>
        <translation>Эксцесс</translation>
    </message>
    <message>
        <source>Cannot be calculated</source>
        <translation>Не вычисляется</translation>
    </message>
    <message>
        <source>Undefined</source>
        <translation>Не определено</translation>
    </message>
    <message>
        <source>Overflow: too big negative number</source>
        <translation>Переполнение: слишком большое отрицательное число</translation>
    </message>
    <message>
        <source>Overflow: too big positive number</source>
        <translation>Переполнение: слишком большое положительное число</translation>
    </message>
</context>
<context>
    <name>CCalcTrigonometricUnits</name>
    <message>
        <source>Deg</source>
        <translation>Град</translation>
    </message>
    <message>
        <source>Grad</source>
        <translation>Грд</translation>
    </message>
    <message>
        <source>Rad</source>
        <translation>Рад</translation>
    </message>
    <message>
        <source> Rad</source>
        <translation> Рад</translation>
    </message>
    <message>
        <source> Deg</source>
        <translation> Град</translation>
    </message>
    <message>
        <source> Grad</source>
        <translation> Грд</translation>
    </message>
    <message>
        <source>Trigonometric function</source>
        <translation>Тригонометрические функции</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Радианы</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Градусы</translation>
    </message>
    <message>
        <source>Grads</source>
        <translation>Грады</translation>
    </message>
</context>
<context>
    <name>CalcCompleter</name>
    <message>
        <source>Square root</source>
        <translation>Квадратный корень</translation>
    </message>
    <message>
        <source>Absolute value</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Sign</source>
        <translation>Знак</translation>
    </message>
    <message>
        <source>Factorial</source>
        <translation>Факториал</translation>
    </message>
    <message>
        <source>Exponent</source>
        <translation>Экспонента</translation>
    </message>
    <message>
        <source>Natural logarithm</source>
        <translation>Натуральный логарифм</translation>
    </message>
    <message>
        <source>Decimal logarithm</source>
        <translation>Десятичный логарифм</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Синус</translation>
    </message>
    <message>
        <source>Cosine</source>
        <translation>Косинус</translation>
    </message>
    <message>
        <source>Tangent</source>
        <translation>Тангенс</translation>
    </message>
    <message>
        <source>Cotangent</source>
        <translation>Котангенс</translation>
    </message>
    <message>
        <source>Secant</source>
        <translation>Секанс</translation>
    </message>
    <message>
        <source>Cosecant</source>
        <translation>Косеканс</translation>
    </message>
    <message>
        <source>Arcsine</source>
        <translation>Арксинус</translation>
    </message>
    <message>
        <source>Arccosine</source>
        <translation>Арккосинус</translation>
    </message>
    <message>
        <source>Arctangent</source>
        <translation>Арктангенс</translation>
    </message>
    <message>
        <source>Arccotangent</source>
        <translation>Арккотангенс</translation>
    </message>
    <message>
        <source>Arcsecant</source>
        <translation>Арксеканс</translation>
    </message>
    <message>
        <source>Arccosecant</source>
        <translation>Арккосеканс</translation>
    </message>
    <message>
        <source>Hyperbolic sine</source>
        <translation>Гиперболический синус</translation>
    </message>
    <message>
        <source>Hyperbolic cosine</source>
        <translation>Гиперболический косинус</translation>
    </message>
    <message>
        <source>Hyperbolic tangent</source>
        <translation>Гиперболический тангенс</translation>
    </message>
    <message>
        <source>Hyperbolic cotangent</source>
        <translation>Гиперболический котангенс</translation>
    </message>
    <message>
        <source>Hyperbolic secant</source>
        <translation>Гиперболический секанс</translation>
    </message>
    <message>
        <source>Hyperbolic cosecant</source>
        <translation>Гиперболический косеканс</translation>
    </message>
    <message>
        <source>Archyperbolic sine</source>
        <translation>Гиперболический арксинус</translation>
    </message>
    <message>
        <source>Archyperbolic cosine</source>
        <translation>Гиперболический арккосинус</translation>
    </message>
    <message>
        <source>Archyperbolic tangent</source>
        <translation>Гиперболический арктангенс</translation>
    </message>
    <message>
        <source>Archyperbolic cotangent</source>
        <translation>Гиперболический арккотангенс</translation>
    </message>
    <message>
        <source>Archyperbolic secant</source>
        <translation>Гиперболический арксеканс</translation>
    </message>
    <message>
        <source>Archyperbolic cosecant</source>
        <translation>Гиперболический арккосеканс</translation>
    </message>
    <message>
        <source>The number pi</source>
        <translation>Число пи</translation>
    </message>
    <message>
        <source>The last result</source>
        <translation>Последний результат</translation>
    </message>
    <message>
        <source>A memory cell</source>
        <translation>Ячейка памяти</translation>
    </message>
    <message>
        <source>West</source>
        <translation>западное</translation>
    </message>
    <message>
        <source>East</source>
        <translation>восточное</translation>
    </message>
</context>
<context>
    <name>LongTask</name>
    <message>
        <source>Press Esc to cancel.</source>
        <translation>Нажмите Esc для отмены.</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Calculator asks</source>
        <translation>Калькулятор спрашивает</translation>
    </message>
    <message>
        <source>Calculator warns</source>
        <translation>Калькулятор предупреждает</translation>
    </message>
    <message>
        <source>Calculator informs</source>
        <translation>Калькулятор сообщает</translation>
    </message>
    <message>
        <source>Calculator stops</source>
        <translation>Калькулятор прерывает работу</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Прервать</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Numera</source>
        <translation>Numera</translation>
    </message>
    <message>
        <source>Clear all the calculations?</source>
        <translation>Очистить все вычисления?</translation>
    </message>
    <message>
        <source>Erase all the memory?</source>
        <translation>Стереть всю память?</translation>
    </message>
    <message>
        <source>Cannot open the file for reading.</source>
        <translation>Не удаётся открыть файл для чтения.</translation>
    </message>
    <message>
        <source>Cannot read the file.</source>
        <translation>Не удаётся прочитать файл.</translation>
    </message>
    <message>
        <source>Cannot open the file for writing.</source>
        <translation>Не удаётся открыть файл для записи.</translation>
    </message>
    <message>
        <source>File “%s” is not found.
Verify the file name and try again.</source>
        <translation>Файл «%s» не найден.
Проверьте имя файла и повторите попытку.</translation>
    </message>
    <message>
        <source>File “%s” already exists.
Do you wish to overwrite it?</source>
        <translation>Файл «%s» уже существует.
Заменить его?</translation>
    </message>
    <message>
        <source>Save changes to “%1”?</source>
        <translation>Сохранить изменения в «%1»?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <source>Tarvik F</source>
        <translation>Tarvik F</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Расчёт</translation>
    </message>
    <message>
        <source>System registry entries have been removed and the INI file (if any) was deleted.</source>
        <translation>Записи системного реестра удалены, INI-файл (если он был) тоже удалён.</translation>
    </message>
    <message>
        <source>Not all of the system registry entries (or INI file) were removed.</source>
        <translation>Удалены не все записи системного реестра (или INI-файл).</translation>
    </message>
    <message>
        <source>Could not start print job.</source>
        <translation>Не удалось начать задание печати.</translation>
    </message>
    <message>
        <source>Of %u page   </source>
        <translation>Из %u стр.   </translation>
    </message>
    <message>
        <source>The printing was cancelled.</source>
        <translation>Печать отменена.</translation>
    </message>
    <message>
        <source>The calculation “%1” was not saved when Numera ended unexpectedly at %2. Recover it?</source>
        <translation>Расчёт «%1» не был сохранён, когда Numera неожиданно завершилась в %2. Восстановить его?</translation>
    </message>
    <message>
        <source>A recovery copy of unsaved work cannot be used: %1
It was kept as %2.</source>
        <translation>Копию несохранённой работы нельзя использовать: %1
Она сохранена как %2.</translation>
    </message>
    <message>
        <source>the copy is damaged.</source>
        <translation>копия повреждена.</translation>
    </message>
    <message>
        <source>the copy is incomplete.</source>
        <translation>копия неполна.</translation>
    </message>
    <message>
        <source>the copy was written by a newer version of Numera.</source>
        <translation>копия записана более новой версией Numera.</translation>
    </message>
    <message>
        <source>the copy holds more text than Numera opens.</source>
        <translation>в копии больше текста, чем открывает Numera.</translation>
    </message>
    <message>
        <source>Numera cannot keep recovery copies of unsaved work in %1.
Until it can, work that is not saved is lost if Numera ends unexpectedly.</source>
        <translation>Numera не может хранить копии несохранённой работы в %1.
Пока это так, несохранённая работа пропадёт, если Numera неожиданно завершится.</translation>
    </message>
    <message>
        <source>“%1” was changed by another program after it was opened or saved here.
Do you want to overwrite it?

Yes overwrites it, No saves under another name, Cancel does not save.</source>
        <translation>Файл «%1» был изменён другой программой после того, как его здесь открыли или сохранили.
Перезаписать его?

«Да» перезаписывает его, «Нет» сохраняет под другим именем, «Отмена» ничего не сохраняет.</translation>
    </message>
    <message>
        <source>Numera cannot save its settings in %1.
Changes to the window, the preferences and the recent files last only until Numera ends.</source>
        <translation>Numera не может сохранить свои настройки в %1.
Изменения окна, параметров и списка последних файлов сохранятся только до завершения Numera.</translation>
    </message>
</context>
<context>
    <name>TaMessageDialog</name>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Вопрос</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Сведения</translation>
    </message>
</context>
</TS>
