namespace portlark_placeholder {}
